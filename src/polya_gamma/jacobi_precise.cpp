// The first series in double-double arithmetic (a value is hi + lo, about
// 106 bits), for right proposals of fractional pieces whose double partial
// sums cannot decide.
//
// Why. Beyond t the first series cancels: its terms stay of size 1 to 10
// while f / a_0 falls like exp(-pi^2 x / 8), to 3e-16 at x = 31, where
// doubles keep no digit of it. So for a right proposal of a fractional
// piece with x <= 32 the double sums (jacobi_draw.cpp) carry a bound on
// their error, and a comparison the bound cannot settle is made again here.
// Octave's rand gives U >= 2^-53, hence x <= 1.25 + 53 log(2) / (pi^2 / 8)
// = 31.03. There the sums here are within 0.07 * 2^-53 hat(x), less than
// a step of the acceptance uniform, and within 1.5 * 2^-53 of f / a_0
// itself (0.23 and 4.5 up to x = 32; against 70-digit sums for h from
// 1e-300 to 1/2 and x in steps of 1/4). Only a rand of one's own reaches
// further, where the doubles decide as before. Left proposals (x <= t) and
// the second series do not cancel: the sizes of their terms add up to at
// most 2.4 times f / a_0.
//
// The bound, with u = 2^-53 and exp within 2 ulps, at t < x <= 32: exp(-4
// / x) is within 7.2u (its argument, at most 3.2, rounded once), decay
// within 8.8u, decay step^j within (8.8 + 8.2 j)u and ratio_coef within
// 7u, so r_j is within (16.8 + 8.2 j)u and term k within (4.1 k^2 + 13.7
// k)u; each sum adds u |S|. A bracketing begun a term early (r_(n+1) <= 1
// + (25 + 8.2 n)u; r falls by at least exp(-4 / x) >= exp(-1/8) a step, so
// at most one ratio lies that close above 1) moves S_n from f's side by at
// most that times b_(n+1) <= 2.5 b_n. In all the comparison with S_n is
// safe outside (5 n^2 + 40 n + 64) u A_n, A_n the sum of the terms so far
// (room left for the second-order terms), plus 2^-1000 for terms below the
// normal range. The errors met on the grid above reach 1.2% of it.
//
// Each term is formed afresh, b_k = c_k exp(-2 k (k + h) / x), its
// exponent good to about 106 bits: a running product of exponentials
// would multiply the error of exp(-4 / x) by k^2 / 2. The coefficients
// run c_k = g_k (2k + h) / k, g_1 = 1, g_(k+1) = g_k (k + h) / k, so
// that nothing divides by h, which may be tiny.
#include <cmath>

#include "jacobi_star.h"

namespace {

struct dd {
  double hi, lo;  // |lo| at most half an ulp of hi
};

// Error-free sum and product of two doubles (Knuth; an fma).
dd two_sum(double a, double b) {
  const double s = a + b;
  const double v = s - a;
  return {s, (a - (s - v)) + (b - v)};
}
dd quick_two_sum(double a, double b) {  // |a| >= |b|
  const double s = a + b;
  return {s, b - (s - a)};
}
dd two_prod(double a, double b) {
  const double p = a * b;
  return {p, std::fma(a, b, -p)};
}

dd add(dd a, dd b) {
  dd s = two_sum(a.hi, b.hi);
  const dd t = two_sum(a.lo, b.lo);
  s = quick_two_sum(s.hi, s.lo + t.hi);
  return quick_two_sum(s.hi, s.lo + t.lo);
}
dd negated(dd a) { return {-a.hi, -a.lo}; }
dd mul(dd a, dd b) {
  const dd p = two_prod(a.hi, b.hi);
  return quick_two_sum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}
dd div(dd a, double b) {
  const double q = a.hi / b;
  const dd p = two_prod(q, b);
  const dd r = two_sum(a.hi, -p.hi);
  return quick_two_sum(q, (r.hi + (r.lo - p.lo + a.lo)) / b);
}
bool above(double y, dd s) { return y > s.hi || (y == s.hi && s.lo < 0); }
bool not_above(dd a, dd b) { return a.hi < b.hi || (a.hi == b.hi && a.lo <= b.lo); }

// exp(a) for a <= 0: 2^k e^r, r = a - k log 2 in [-0.35, 0.35], e^r by
// its Taylor series to degree 25 (the next term is below 1e-35); 0 where
// e^a is below the smallest double, so that a term there is 0.
dd exp_dd(dd a) {
  if (!(a.hi >= -745.2)) return {0, 0};
  constexpr dd log_two = {0.6931471805599453, 2.3190468138462996e-17};
  const double k = std::nearbyint(a.hi / log_two.hi);
  const dd r = add(a, negated(mul(log_two, dd{k, 0})));
  dd p = {1, 0};
  for (int j = 25; j >= 1; --j) p = add(dd{1, 0}, div(mul(r, p), j));
  const int e = static_cast<int>(k);  // |k| <= 1076
  return {std::ldexp(p.hi, e), std::ldexp(p.lo, e)};
}

// The k-th term b_k, k >= 1, given g_k; leaves g_(k+1) in *g.
dd term(double h, double x, int k, dd* g) {
  const dd c = div(mul(*g, two_sum(2.0 * k, h)), k);
  *g = div(mul(*g, two_sum(k, h)), k);
  // 2 k (k + h) = 2 k^2 + 2 k h, both parts exact
  const dd numerator = add(dd{2.0 * k * k, 0}, two_prod(2.0 * k, h));
  return mul(c, exp_dd(negated(div(numerator, x))));
}

}  // namespace

bool precise_series_accepts(double h, double x, double y) {
  constexpr int max_terms = 1000;
  dd g = {1, 0};
  dd sum = {1, 0};
  dd current = term(h, x, 1, &g);
  bool bracketing = false;
  for (int n = 0; n < max_terms; ++n) {
    const dd after = term(h, x, n + 2, &g);
    bracketing = bracketing || not_above(after, current);
    if (bracketing && n % 2 == 0 && above(y, sum)) return false;
    if (bracketing && n % 2 == 1 && !above(y, sum) && !std::isnan(y)) return true;
    sum = add(sum, n % 2 == 0 ? negated(current) : current);
    current = after;
  }
  return false;
}
