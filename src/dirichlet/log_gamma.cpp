#include "log_gamma.h"

#include <cmath>

#include "../host/interrupt.h"
#include "../random_variates/random_variates.h"

namespace {

// A working generator never rejects this many trials in a row (the
// acceptance rate is above 0.95 for every shape); a broken one must not
// hang the session.
constexpr long max_trials = 1000000;
constexpr long poll_every = 4096;

// x^2 / 2 + d (1 - v + log v), the right side of the second test, with
// y = c x and log v = 3 log1p (y). For small y the two terms cancel to
// 3 d sum_{k>=4} (-1)^(k+1) y^k / k, and d is large exactly where y is
// small (d = x^2 / (9 y^2)): the series keeps large shapes exact. Where
// |y| >= 0.25, d is below about 150 and the direct form loses nothing.
double second_test_bound(double x, double y, double d, double log_v) {
  if (std::fabs(y) >= 0.25) return 0.5 * x * x + d * (1 - (1 + y) * (1 + y) * (1 + y) + log_v);
  double sum = 0;
  double power = -y * y * y * y;  // (-1)^(k+1) y^k at k = 4
  for (int k = 4; k < 30; ++k, power *= -y) sum += power / k;
  return 3 * d * sum;
}

double log_gamma_trials(const gamma_plan& p) {
  for (long trial = 1; trial <= max_trials; ++trial) {
    if (trial % poll_every == 0) leave_if_interrupted();
    const double x = rand_gaussian();
    const double y = p.c * x;
    if (1 + y <= 0) continue;
    const double u = rand_uniopen();
    const double log_v = 3 * std::log1p(y);
    const double x2 = x * x;
    if (u < 1 - 0.0331 * (x2 * x2)) return p.log_d + log_v;
    if (std::log(u) < second_test_bound(x, y, p.d, log_v)) return p.log_d + log_v;
  }
  return NAN;
}

}  // namespace

gamma_plan log_gamma_plan(double a) {
  gamma_plan p{};
  p.alpha = a;
  const double shape = a < 1 ? a + 1 : a;
  p.d = shape - 1.0 / 3;
  p.c = 1 / (3 * std::sqrt(p.d));  // 9 d would overflow near the largest double
  p.log_d = std::log(p.d);
  p.boost = a < 1 ? a : 0;
  return p;
}

double log_gamma_draw(const gamma_plan& p) {
  if (p.boost == 0) return log_gamma_trials(p);
  const double u = rand_uniopen();
  return log_gamma_trials(p) + std::log(u) / p.boost;
}
