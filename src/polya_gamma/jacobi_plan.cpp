// Plans for J*(h, c) pieces: where the two proposals meet, their shares of
// the hat's mass, and the right hat's constant for h <= 1/2.
//
// The hat, up to the common factor cosh(c)^h (every mass below drops it):
//   left,  0 < x <= t: a_0(x), or a_0(x) exp(-c^2 x / 2) when c t > h.
//     a_0(x) exp(-c^2 x / 2) = 2^h exp(-h c) IG(x; h / c, h^2) (completing
//     the square), so the tilted proposal is an inverse Gaussian and the
//     untilted one the Levy law of h^2 / Z^2.
//   right, x > t: pi / 2 exp(-(pi^2 / 8 + c^2 / 2) x) for h = 1 (the first
//     term of the second series); C exp(-(pi^2 / 8 + c^2 / 2) x) for h <= 1/2.
#include <cmath>

#include "jacobi_star.h"

namespace {

// Polson, Scott and Windle's split for h = 1. For h <= 1/2 the hat's mass
// at c = 0 is least near t = 1.25 for every h (1.00001 at h = 1e-4, 1.040
// at h = 1/2); the first series brackets f from its first term at least
// for x <= 2 (h + 1) / log(2 + h) (2.88 or more), see jacobi_draw.cpp.
constexpr double split_one = 0.64;
constexpr double split_fraction = 1.25;
// The right hat's constant is computed, so it is raised by this much to
// stay above f where rounding would put it a hair below.
constexpr double hat_margin = 1e-12;
// log(2 erfc(1 / sqrt(2 * 0.64))): the untilted left mass for h = 1, the
// same for every c, written out so that no library's erfc moves it.
constexpr double log_levy_mass_one = -0.86133131609442759;

double log_normal_lower(double q) {  // log Phi(q); -inf where Phi underflows
  const double p = 0.5 * std::erfc(-q / std::sqrt(2.0));
  return p > 0 ? std::log(p) : -INFINITY;
}

// log of the left hat's mass. Untilted: 2^h P(h^2 / Z^2 <= t) =
// 2^h erfc(h / sqrt(2 t)). Tilted: 2^h exp(-h c) times the IG(h / c, h^2)
// distribution function at t, Phi((c t - h) / sqrt t) + exp(2 h c)
// Phi(-(c t + h) / sqrt t); the second term is formed in logs, where it
// stays below 1 although exp(2 h c) alone may overflow.
double log_left_mass(const jstar_plan& p) {
  const double h = p.h, c = p.c, t = p.split;
  if (p.levy_left && h == 1) return log_levy_mass_one;
  if (p.levy_left) return h * std::log(2.0) + std::log(std::erfc(h / std::sqrt(2 * t)));
  const double root_t = std::sqrt(t);
  const double below = std::exp(log_normal_lower((c * t - h) / root_t));
  const double mirror = std::exp(2 * h * c + log_normal_lower(-(c * t + h) / root_t));
  return h * std::log(2.0) - h * c + std::log(below + mirror);
}

// f(t | h) / a_0(t) by the first series, which brackets it from the first
// term at t = 1.25; summed until the terms no longer change the sum.
double left_series_at(double h, double t) {
  const alternating_series series = first_series(h, t);
  double sum = 1;
  double term = 1;
  double decay = series.decay;
  for (int n = 0; n < 200; ++n, decay *= series.step) {
    term *= ratio_coef(h, n) * decay;
    const double next = n % 2 == 0 ? sum - term : sum + term;
    if (next == sum) break;
    sum = next;
  }
  return sum;
}

// For h <= 1/2, u(x) = exp(pi^2 x / 8) f(x | h) decreases on [t, inf), so
// C = u(t) bounds it there. Folding the inverse Laplace integral of
// cosh(sqrt(2 s))^-h onto the negative axis, where the phase of the power
// grows by pi h at each zero of cos(sqrt(-2 s)) (integrable, h < 1), gives
//   u(x) = integral_0^inf exp(-v x) w(v) dv,
//   w(v) = sin(pi k h) / pi |cos theta|^-h, theta = sqrt(2 v + pi^2 / 4),
// on cut k = 1, 2, ...: pi^2 k (k - 1) / 2 < v < pi^2 k (k + 1) / 2
// (checked against the series to 20 digits), so -u'(x) = integral v
// exp(-v x) w(v) dv = P - N': P over the cuts k <= K = floor(1 / h), where
// w >= 0 (k h <= 1), N' over the others. Cut 1 alone, as |cos| <= 1 and
// sin(pi h) >= 2 h, gives at x >= t
//   P >= 2 h / pi (1 - (1 + pi^2 x) exp(-pi^2 x)) / x^2 >= 0.6365 h / x^2.
// A cut k > K >= 2 starts at v_k = pi^2 k (k - 1) / 2 >= 3 pi^2; there
// |w| <= |cos|^(-1/2) / pi, v exp(-v x) <= v_k exp(-v_k x) (v > 1 / x),
// and dv = theta dtheta, theta <= (k + 1/2) pi, over a stretch of theta
// between two zeros where |cos|^(-1/2) integrates to B(1/4, 1/2) = 5.2442.
// So |N'| <= N = 5.2442 sum_(k > K) (k + 1/2) v_k exp(-v_k x); x^2 N falls
// in x beyond 2 / v_k, so at x >= t, with k h > 1, x^2 N < 5.2442 t^2 h
// sum_(k >= 3) k (k + 1/2) v_k exp(-v_k t) = 2.2e-13 h. Hence -u' >=
// (0.6365 - 2.2e-13) h / x^2 > 0 for every h in (0, 1/2] and x >= t.
// tests/test_polya_gamma.m checks u falling on [t, 31.1], past all that the
// proposals reach (31.03), for h from 1e-300 to 1/2 on a grid of 0.01.
double log_right_hat(double h, double t, double log_a0_coef) {
  const double log_a0 = log_a0_coef - 1.5 * std::log(t) - h * h / (2 * t);
  return log_a0 + std::log(left_series_at(h, t)) + jstar_pi * jstar_pi * t / 8 +
         std::log1p(hat_margin);
}

}  // namespace

jstar_plan jstar_plan_for(double h, double c) {
  jstar_plan p{};
  p.h = h;
  p.c = c;
  p.split = h == 1 ? split_one : split_fraction;
  p.right_rate = jstar_pi * jstar_pi / 8 + c * c / 2;
  p.levy_left = c * p.split <= h;
  p.levy_cut = h / std::sqrt(p.split);
  if (h == 1) {
    p.log_right_hat = std::log(jstar_pi / 2);
  } else {
    p.log_a0_coef = h * std::log(2.0) + std::log(h) - 0.5 * std::log(2 * jstar_pi);
    p.log_right_hat = log_right_hat(h, p.split, p.log_a0_coef);
  }
  // Right mass C exp(-rate t) / rate; the share is formed from the logs so
  // that a huge c (both masses underflowing) still gives the left side.
  const double log_right_mass = p.log_right_hat - p.right_rate * p.split - std::log(p.right_rate);
  p.left_share = 1 / (1 + std::exp(log_right_mass - log_left_mass(p)));
  return p;
}
