// J*(h, c) draws for polya_gamma_draws: PG(b, z) = J*(b, z / 2) / 4, and
// J*(b, c) is a sum of independent J*(h, c) pieces (its Laplace transform
// cosh(c)^h / cosh(sqrt(2 s + c^2))^h is a power of one function).
//
// Pieces are drawn for h = 1 and for 0 < h <= 1/2, by the Devroye-type
// method of Polson, Scott and Windle (2013, JASA 108, section 4; Devroye
// 1986, IV.5, for alternating series). The density of J*(h) = J*(h, 0) is
// the alternating series (from the binomial series of
// (2 e^-s / (1 + e^-2s))^h in e^-s, s = sqrt(2 lambda), each e^(-m s) the
// transform of a Levy density)
//   f(x | h) = sum_n (-1)^n a_n(x),
//   a_n(x) = 2^h C(n) (2n + h) / sqrt(2 pi x^3) exp(-(2n + h)^2 / (2 x)),
//   C(n) = Gamma(n + h) / (Gamma(h) n!),
// and for h = 1 also the eigenfunction series
//   f(x | 1) = sum_n (-1)^n pi (n + 1/2) exp(-(n + 1/2)^2 pi^2 x / 2).
// J*(h, c) has density cosh(c)^h exp(-c^2 x / 2) f(x | h).
#pragma once

#include <cmath>

inline constexpr double jstar_pi = 3.141592653589793;

// Everything the draws of one (h, c) need; c >= 0 is |z| / 2.
struct jstar_plan {
  double h;            // 1, or in (0, 1/2]
  double c;
  double split;        // t: left proposal on (0, t], right on (t, inf)
  double right_rate;   // pi^2 / 8 + c^2 / 2: the right proposal is t + E / rate
  double left_share;   // the left proposal's share of the hat's mass
  bool levy_left;      // left proposal untilted (c t <= h), else IG(h / c, h^2)
  double levy_cut;     // h / sqrt(t): the untilted proposal is h^2 / Z^2, |Z| >= cut
  double log_a0_coef;    // h < 1: h log 2 + log h - log(2 pi) / 2
  double log_right_hat;  // log of the right hat's constant
};

// h = 1 or 0 < h <= 1/2, c >= 0 (c may be huge, not NaN).
jstar_plan jstar_plan_for(double h, double c);

// One J*(h, c) draw. Host values, per proposal: rand (left or right), the
// proposal's own values (see jacobi_draw.cpp), then rand (acceptance).
// NaN when no proposal is accepted in a million (a broken host rand).
double jstar_draw(const jstar_plan& plan);

// Whether y <= f(x | h) / a_0(x), from the first series in double-double
// arithmetic: for right proposals of fractional pieces (h <= 1/2, t < x <=
// 32) on which the double sums cannot decide (jacobi_precise.cpp).
bool precise_series_accepts(double h, double x, double y);

// The ratios r_n = a_{n+1}(x) / a_n(x) of one series at one x, r_n =
// ratio_coef(h, n) decay step^n:
//   first series:  ((n + h) / (n + 1)) ((2n + h + 2) / (2n + h)) times
//                  exp(-2 (h + 1) / x) exp(-4 / x)^n;
//   second series: ((2n + 3) / (2n + 1)) exp(-pi^2 x)^(n + 1), the first
//                  series' coefficient at h = 1.
// Two exponentials per series (one for h = 1) serve every term.
struct alternating_series {
  double h;
  double decay;
  double step;
};

inline alternating_series first_series(double h, double x) {
  const double step = std::exp(-4 / x);
  return {h, h == 1 ? step : std::exp(-2 * (h + 1) / x), step};
}

inline alternating_series second_series(double x) {
  const double step = std::exp(-jstar_pi * jstar_pi * x);
  return {1, step, step};
}

// Written for n = 0 without dividing by h, which may be tiny.
inline double ratio_coef(double h, int n) {
  if (n == 0) return 2 + h;
  return (n + h) * (2 * n + h + 2) / ((n + 1) * (2 * n + h));
}
