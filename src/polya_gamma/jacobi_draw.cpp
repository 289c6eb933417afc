// J*(h, c) draws: a proposal from the left or right piece of the hat, then
// Devroye's alternating-series test of y = U hat(x) against the target.
//
// Bracketing. With f = sum (-1)^n a_n, a_n > 0, a_n -> 0: if a_{n+1} >=
// a_{n+2} >= ... then f - S_n = (-1)^(n+1) (a_{n+1} - a_{n+2} + ...), whose
// bracket lies in [0, a_{n+1}], so S_n >= f for even n and S_n <= f for odd
// n. The ratios r_n = a_{n+1} / a_n of both series decrease in n (for the
// first series, d/dn log[(n + h)(2n + h + 2) / ((n + 1)(2n + h))] < 0
// because 4 (n + h)(n + 1) - (1 - h)(2n + h)(2n + h + 2) = h (4n^2 +
// 4n (h + 1) + 4) - h (1 - h)(h + 2) > 0, and the exponential factor
// decreases), so once r_{n+1} <= 1 every later term is smaller than the one
// before and S_n, S_{n+1}, ... bracket f. The test checks r_{n+1} <= 1
// itself. For the first series it holds from the first term on whenever
// r_0 <= 1, that is for x <= 2 (h + 1) / log(2 + h), a sufficient
// condition; further right it starts a few terms in (about sqrt(x) / 2).
// The second series (h = 1) brackets from its first term for x > log(3) /
// pi^2 (r_0 <= 1, sufficient again). The test never stops on a partial sum
// that does not bracket f.
//
// Rounding: for right proposals of fractional pieces with x <= 32, a
// comparison that the double sums' error bound (derived in
// jacobi_precise.cpp) cannot settle is made again in double-double there.
#include <cmath>

#include "../host/interrupt.h"
#include "../random_variates/random_variates.h"
#include "jacobi_star.h"

namespace {

// A working generator accepts within a few proposals (the hat's mass is at
// most 1.39 times the target's, reached by whole pieces at |z| just below
// 3.125; 1.07 for fractional pieces); a broken one must not hang the
// session.
constexpr long max_trials = 1000000;
// The terms fall like exp(-2 n^2 / x) with x below 40 (E = -log U <= 37),
// so the partial sums settle long before this.
constexpr int max_terms = 1000;
// Right proposals up to here have their doubtful comparisons made again in
// double-double.
constexpr double precise_limit = 32;

enum class verdict { reject, accept, undecided };

// The rounding of S_n in doubles cannot turn a comparison with y that
// clears it by more than this (A_n: the sum of the terms so far; see
// jacobi_precise.cpp, for right proposals with t < x <= 32).
double rounding_bound(int n, double size) {
  return (5.0 * n * n + 40.0 * n + 64) * 0x1p-53 * size + 0x1p-1000;
}

// Whether y <= f(x) / a_0(x) for the series' first term a_0: adds terms
// until a bracketing partial sum decides. With `bounded`, a comparison
// that the rounding bound cannot settle gives up instead.
verdict series_verdict(const alternating_series& series, double y, bool bounded) {
  double sum = 1;
  double term = 1;
  double size = 1;  // A_n
  double decay = series.decay;
  double ratio = ratio_coef(series.h, 0) * decay;
  bool bracketing = false;
  for (int n = 0; n < max_terms; ++n) {
    decay *= series.step;
    const double ratio_next = ratio_coef(series.h, n + 1) * decay;
    bracketing = bracketing || ratio_next <= 1;
    if (bracketing && bounded && std::fabs(y - sum) <= rounding_bound(n, size))
      return verdict::undecided;
    if (bracketing && n % 2 == 0 && y > sum) return verdict::reject;
    if (bracketing && n % 2 == 1 && y <= sum) return verdict::accept;
    term *= ratio;
    sum = n % 2 == 0 ? sum - term : sum + term;
    size += term;
    ratio = ratio_next;
  }
  return verdict::reject;
}

// The standard normal beyond a >= 1: a + E1 / a, accepted when E1^2 <=
// 2 a^2 E2 (the ratio of the tail density to the exponential proposal is
// exp(-E1^2 / (2 a^2))). Two rand per trial, E1 first.
double normal_tail(double a) {
  for (long trial = 0; trial < max_trials; ++trial) {
    poll_interrupt(trial);
    const double e1 = rand_exp();
    const double e2 = rand_exp();
    if (e1 * e1 <= 2 * a * a * e2) return a + e1 / a;
  }
  return NAN;
}

// |Z| >= a < 1 by drawing Z until it is: one randn per trial.
double normal_beyond(double a) {
  for (long trial = 0; trial < max_trials; ++trial) {
    poll_interrupt(trial);
    const double z = rand_gaussian();
    if (std::fabs(z) >= a) return z;
  }
  return NAN;
}

// IG(mu, lambda) by Michael, Schucany and Haas (1976): randn, then rand.
// The smaller root mu (1 + w/2 - sqrt(w + w^2/4)), w = mu Z^2 / lambda, is
// formed as mu / (1 + w/2 + sqrt(w + w^2/4)), which does not cancel; it is
// kept with probability mu / (mu + root). mu / lambda comes as one number
// and the test does not divide, so that a tiny h (lambda = h^2 underflows)
// or a mean that underflowed to 0 gives 0.
double inverse_gaussian(double mu, double mu_over_lambda) {
  const double z = rand_gaussian();
  const double w = mu_over_lambda * (z * z);
  const double root = mu / (1 + w / 2 + std::sqrt(w + w * w / 4));
  return rand_uniopen() * (mu + root) <= mu ? root : mu * (mu / root);
}

// A proposal from the left piece, on (0, t].
double left_proposal(const jstar_plan& p) {
  if (p.levy_left) {
    const double z = p.levy_cut >= 1 ? normal_tail(p.levy_cut) : normal_beyond(p.levy_cut);
    const double root = p.h / z;
    return root * root;
  }
  // IG(h / c, h^2): mu / lambda = 1 / (h c).
  const double mu = p.h / p.c;
  const double mu_over_lambda = 1 / (p.h * p.c);
  for (long trial = 0; trial < max_trials; ++trial) {
    poll_interrupt(trial);
    const double x = inverse_gaussian(mu, mu_over_lambda);
    if (x <= p.split) return x;
  }
  return NAN;
}

// h <= 1/2: C exp(-pi^2 x / 8) / a_0(x), formed in logs (a_0 may be tiny or
// huge when h is).
double right_hat(const jstar_plan& p, double x) {
  const double log_a0 = p.log_a0_coef - 1.5 * std::log(x) - p.h * p.h / (2 * x);
  return std::exp(p.log_right_hat - jstar_pi * jstar_pi * x / 8 - log_a0);
}

}  // namespace

double jstar_draw(const jstar_plan& p) {
  for (long trial = 0; trial < max_trials; ++trial) {
    poll_interrupt(trial);
    const bool left = rand_uniopen() < p.left_share;
    double x;
    double hat;  // the hat at x over the series' first term
    if (left) {
      x = left_proposal(p);
      if (std::isnan(x)) return NAN;
      hat = p.levy_left && p.c > 0 ? std::exp(p.c * p.c * x / 2) : 1;
    } else {
      x = p.split + rand_exp() / p.right_rate;
      hat = p.h == 1 ? 1 : right_hat(p, x);
    }
    const double y = rand_uniopen() * hat;
    const bool second = !left && p.h == 1;
    const bool bounded = !left && p.h < 1 && x <= precise_limit;
    verdict v = series_verdict(second ? second_series(x) : first_series(p.h, x), y, bounded);
    if (v == verdict::undecided)
      v = precise_series_accepts(p.h, x, y) ? verdict::accept : verdict::reject;
    if (v == verdict::accept) return x;
  }
  return NAN;
}
