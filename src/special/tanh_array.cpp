// Y = tanh_array (X)
//
// The hyperbolic tangent of every element of the real double array X, in a
// result of X's rows and columns. Three regimes: +-1 beyond 18 in magnitude
// (where the formula rounds to 1 anyway), 1 - 2 / (exp(2x) + 1) between,
// and x itself at or below 1.5e-8, where tanh(x) = x to double precision.
// Further arguments are ignored. Elements are independent: ranges of them
// go to the worker threads.
#include <cmath>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

// y[i] = tanh_value (x[i]) for i < count, two at a time where the
// processor allows: the exponentials one by one, the rest of the formula
// for both lanes in one go, each lane with the scalar operations and the
// scalar choice of regime, so the bits are tanh_value's.
void tanh_values(const double* x, double* y, int64_t count) {
  int64_t i = 0;
#ifdef __SSE2__
  const __m128d one = _mm_set1_pd(1.0);
  const __m128d magnitude = _mm_castsi128_pd(_mm_set1_epi64x(0x7fffffffffffffffLL));
  for (; i + 2 <= count; i += 2) {
    const __m128d v = _mm_loadu_pd(x + i);
    const __m128d e = _mm_set_pd(std::exp(2 * x[i + 1]), std::exp(2 * x[i]));
    const __m128d formula = _mm_sub_pd(one, _mm_div_pd(_mm_set1_pd(2.0), _mm_add_pd(e, one)));
    const __m128d size = _mm_and_pd(v, magnitude);
    const __m128d far = _mm_cmpgt_pd(size, _mm_set1_pd(18.0));
    const __m128d middle = _mm_cmpgt_pd(size, _mm_set1_pd(1.5e-8));
    const __m128d positive = _mm_cmpgt_pd(v, _mm_setzero_pd());
    const __m128d sign = _mm_or_pd(_mm_and_pd(positive, one), _mm_andnot_pd(positive, _mm_set1_pd(-1.0)));
    __m128d r = _mm_or_pd(_mm_and_pd(middle, formula), _mm_andnot_pd(middle, v));
    r = _mm_or_pd(_mm_and_pd(far, sign), _mm_andnot_pd(far, r));
    _mm_storeu_pd(y + i, r);
  }
#endif
  for (; i < count; ++i) y[i] = tanh_value(x[i]);
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
                  tanh_values(values + begin, result + begin, end - begin);
                });
}
