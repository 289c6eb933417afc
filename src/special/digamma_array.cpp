// Y = digamma_array (X)
//
// The digamma function psi of every element of the real double array X,
// in a result of X's rows and columns (further dimensions are dropped).
// Elements are independent: ranges of them go to the worker threads.
#include "../host/host.h"
#include "../host/threads.h"
#include "digamma.h"

namespace {

// Worker threads: one per 12,000 elements (an element of (0.1, 100) takes
// about 8.4 ns; see threads_for).
constexpr double break_even_elements = 12000;
// Short ranges: an argument just above -2^20 takes a million recurrence
// steps, and Ctrl-C is looked for between ranges.
constexpr int64_t chunk_elements = 1024;

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  require_input_count(nrhs == 1);
  require_outputs_at_most(nlhs, 1);
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
                  digamma_values(values + begin, result + begin, end - begin);
                });
}
