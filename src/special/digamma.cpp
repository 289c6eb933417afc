#include "digamma.h"

#include <cmath>

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

}  // namespace

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
