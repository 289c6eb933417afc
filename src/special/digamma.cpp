#include "digamma.h"

#include <cmath>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Below this the recurrence would take more than a million steps.
constexpr double reflection_threshold = -1048576.0;  // -2^20
constexpr double pi = 3.141592653589793;

// -B_2k / (2k) for k = 1..7, the nearest doubles; the eighth, 3617 / 8160,
// is applied as (3617 * t) / 8160.
constexpr double c1 = -0.08333333333333333;
constexpr double c2 = 0.008333333333333333;
constexpr double c3 = -0.003968253968253968;
constexpr double c4 = 0.004166666666666667;
constexpr double c5 = -0.007575757575757576;
constexpr double c6 = 0.021092796092796094;
constexpr double c7 = -0.08333333333333333;

double digamma_by_recurrence(double x) {
  double s = 0;
  while (x <= 5) {
    s = s - 1 / x;
    x = 1 + x;
  }
  const double t = 1 / (x * x);
  const double series =
      t * (c1 + t * (c2 + t * (c3 + t * (c4 + t * (c5 + t * (c6 + t * (c7 + (3617 * t) / 8160)))))));
  return ((s + std::log(x)) - 0.5 / x) + series;
}

#ifdef __SSE2__
// a where the mask is set, else b.
__m128d select(__m128d mask, __m128d a, __m128d b) {
  return _mm_or_pd(_mm_and_pd(mask, a), _mm_andnot_pd(mask, b));
}

// The recurrence for two arguments at once: each lane makes the scalar
// steps in the same order (the lane already above 5 waits), so each gives
// the scalar bits; returns the sum s and leaves x above 5.
__m128d recur(__m128d* x) {
  const __m128d one = _mm_set1_pd(1.0);
  __m128d s = _mm_setzero_pd();
  for (__m128d below = _mm_cmple_pd(*x, _mm_set1_pd(5.0)); _mm_movemask_pd(below) != 0;
       below = _mm_cmple_pd(*x, _mm_set1_pd(5.0))) {
    s = select(below, _mm_sub_pd(s, _mm_div_pd(one, *x)), s);
    *x = select(below, _mm_add_pd(one, *x), *x);
  }
  return s;
}

// digamma_by_recurrence of four arguments, two pairs whose series are
// evaluated side by side: each series is a chain of dependent steps, and
// two chains keep the processor busy where one would leave it waiting.
void digamma_by_recurrence(const double* in, double* out) {
  __m128d x[2] = {_mm_loadu_pd(in), _mm_loadu_pd(in + 2)};
  const __m128d s[2] = {recur(&x[0]), recur(&x[1])};
  const __m128d one = _mm_set1_pd(1.0);
  const double c[7] = {c1, c2, c3, c4, c5, c6, c7};
  __m128d t[2], series[2];
  for (int p = 0; p < 2; ++p) {
    t[p] = _mm_div_pd(one, _mm_mul_pd(x[p], x[p]));
    series[p] = _mm_add_pd(_mm_set1_pd(c[6]), _mm_div_pd(_mm_mul_pd(_mm_set1_pd(3617.0), t[p]), _mm_set1_pd(8160.0)));
  }
  for (int k = 5; k >= 0; --k)
    for (int p = 0; p < 2; ++p) series[p] = _mm_add_pd(_mm_set1_pd(c[k]), _mm_mul_pd(t[p], series[p]));
  double lanes[4];
  _mm_storeu_pd(lanes, x[0]);
  _mm_storeu_pd(lanes + 2, x[1]);
  for (double& lane : lanes) lane = std::log(lane);
  for (int p = 0; p < 2; ++p) {
    const __m128d log_x = _mm_loadu_pd(lanes + 2 * p);
    const __m128d sum = _mm_sub_pd(_mm_add_pd(s[p], log_x), _mm_div_pd(_mm_set1_pd(0.5), x[p]));
    _mm_storeu_pd(out + 2 * p, _mm_add_pd(sum, _mm_mul_pd(t[p], series[p])));
  }
}
#endif

}  // namespace

void digamma_values(const double* x, double* psi, int64_t count) {
  int64_t i = 0;
#ifdef __SSE2__
  const __m128d threshold = _mm_set1_pd(reflection_threshold);
  for (; i + 4 <= count; i += 4) {
    // Any of the four below the reflection threshold (or -Inf): all four
    // the scalar way.
    const __m128d below = _mm_or_pd(_mm_cmplt_pd(_mm_loadu_pd(x + i), threshold),
                                    _mm_cmplt_pd(_mm_loadu_pd(x + i + 2), threshold));
    if (_mm_movemask_pd(below) != 0) {
      for (int k = 0; k < 4; ++k) psi[i + k] = digamma(x[i + k]);
    } else {
      digamma_by_recurrence(x + i, psi + i);
    }
  }
#endif
  for (; i < count; ++i) psi[i] = digamma(x[i]);
}

double digamma(double x) {
  if (x < reflection_threshold) {
    if (std::isinf(x)) return NAN;
    // x - round(x) is exact at this magnitude, so tan keeps its accuracy;
    // every double below -2^52 is an integer, a pole.
    const double r = x - std::round(x);
    if (r == 0) return -INFINITY;
    return digamma_by_recurrence(1 - x) - pi / std::tan(pi * r);
  }
  return digamma_by_recurrence(x);
}
