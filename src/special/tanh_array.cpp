// Y = tanh_array (X)
//
// The hyperbolic tangent of every element of the real double array X, in a
// result of X's rows and columns. Three regimes: +-1 beyond 18 in magnitude
// (where the formula rounds to 1 anyway), 1 - 2 / (exp(2x) + 1) between,
// and x itself at or below 1.5e-8, where tanh(x) = x to double precision.
// Further arguments are ignored. Elements are independent: ranges of them
// go to the worker threads.
#include <cmath>

#include "../host/host.h"
#include "../host/threads.h"

namespace {

// Worker threads: one per 16,000 elements (each takes about 6 ns; see
// threads_for).
constexpr double break_even_elements = 16000;
constexpr int64_t chunk_elements = 16384;

double tanh_value(double v) {
  // Strict comparisons: NaN fails both and is returned unchanged.
  if (std::fabs(v) > 18) return v > 0 ? 1.0 : -1.0;
  if (std::fabs(v) > 1.5e-8) return 1 - 2 / (std::exp(2 * v) + 1);
  return v;
}

}  // namespace

void mexFunction(int, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  require_input_count(nrhs >= 1);
  const mxArray* x = prhs[0];
  const int64_t count = count_of(x);
  if (count > 0) require_real_double(x, "X");
  const int32_t threads = thread_count();

  // Every element is written, so no zero fill first.
  plhs[0] = mxCreateUninitNumericMatrix(rows_of(x), cols_of(x), mxDOUBLE_CLASS, mxREAL);
  if (count == 0) return;
  const double* values = mxGetPr(x);
  double* result = mxGetPr(plhs[0]);
  run_in_chunks(threads_for(threads, count, break_even_elements), count, chunk_elements,
                [=](int64_t begin, int64_t end) {
                  for (int64_t i = begin; i < end; ++i) result[i] = tanh_value(values[i]);
                });
}
