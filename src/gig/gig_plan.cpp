// Plans for gig_draws: which rejection method suits a parameter set, and
// the constants of its envelope (Hoermann and Leydold 2014).
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "gig.h"

namespace {

double mode_of(double lambda, double beta) {
  // Both forms of the root; each avoids cancellation on its side of 1.
  const double s = std::hypot(lambda - 1, beta);
  return lambda >= 1 ? ((lambda - 1) + s) / beta : beta / ((1 - lambda) + s);
}

// For the shifted ratio-of-uniforms: the offsets d from the mode at the
// extremes of d sqrt(g(m + d)), where E(d) = d^2 R(y) / (y m) - 2 = 0 with
// y = m + d and R = (lambda - 1) + (beta / 2) (1/m + 1/y). There is one root
// on each side of the mode (`side` +1 or -1); Newton steps are kept inside a
// bracket, and every product is formed so that nothing overflows.
double excess(double lambda, double beta, double m, double d) {
  const double y = m + d;
  return (d / y) * (d / m) * ((lambda - 1) + beta / 2 * (1 / m + 1 / y)) - 2;
}

double excess_slope(double lambda, double beta, double m, double d) {
  const double y = m + d;
  const double r = (lambda - 1) + beta / 2 * (1 / m + 1 / y);
  return (d / y) / m * ((2 - d / y) * r - beta / 2 * (d / y) / y);
}

double shift_extreme(double lambda, double beta, double m, int side) {
  // The quadratic approximation about the mode: d^2 = 2 / (-(log g)''(m)).
  const double guess = m * std::sqrt(2 / ((lambda - 1) + beta / m));
  // Bracket: E < 0 at `inner` (E(0) = -2), E > 0 at `outer`.
  double inner = 0;
  double outer = side > 0 ? guess : -std::min(guess, m / 2);
  for (int step = 0; step < 2100 && excess(lambda, beta, m, outer) <= 0; ++step) {
    inner = outer;
    // Outwards: doubling on the right, halfway to -m (where g vanishes) on
    // the left.
    outer = side > 0 ? 2 * outer : -m + (outer + m) / 2;
  }
  double d = (inner + outer) / 2;
  for (int step = 0; step < 200; ++step) {
    const double e = excess(lambda, beta, m, d);
    if (e == 0) break;
    if (e < 0) inner = d; else outer = d;
    double next = d - e / excess_slope(lambda, beta, m, d);
    // A Newton step that leaves the bracket becomes a bisection.
    if (!(next > std::min(inner, outer) && next < std::max(inner, outer))) next = (inner + outer) / 2;
    const bool settled = std::fabs(next - d) <= 1e-12 * std::fabs(d);
    d = next;
    if (settled) break;
  }
  return d;
}

void plan_shifted_gig(gig_plan* p) {
  p->how = gig_method::shifted_gig;
  p->mode = mode_of(p->lambda, p->beta);
  const double low = shift_extreme(p->lambda, p->beta, p->mode, -1);
  const double high = shift_extreme(p->lambda, p->beta, p->mode, +1);
  p->v_low = gig_widen * low * std::exp(gig_log_ratio(*p, low) / 2);
  p->v_high = gig_widen * high * std::exp(gig_log_ratio(*p, high) / 2);
  // The left root can round to y = 0 (lambda just above 1, tiny omega: it
  // sits near y = m (lambda - 1) / 2); -m bounds d sqrt(g(m + d) / g(m)).
  if (std::isnan(p->v_low)) p->v_low = -p->mode;
}

// Shape lambda >= 1: the extremes of d sqrt(g) solve a quadratic,
// y = lambda +- sqrt(2 lambda - 1).
void plan_shifted_gamma(gig_plan* p) {
  p->mode = p->shape - 1;
  const double root = std::sqrt(2 * p->shape - 1);
  const double low = 1 - root;
  const double high = 1 + root;
  p->v_low = gig_widen * low * std::exp(gamma_log_ratio(*p, low) / 2);
  p->v_high = gig_widen * high * std::exp(gamma_log_ratio(*p, high) / 2);
}

// Ratio-of-uniforms about 0: u up to sqrt(g(m)), v up to the maximum of
// x sqrt(g(x)), reached at the mode of x^(lambda + 1) exp(...).
void plan_plain(gig_plan* p) {
  p->how = gig_method::plain;
  p->mode = mode_of(p->lambda, p->beta);
  const double m2 = ((p->lambda + 1) + std::hypot(p->lambda + 1, p->beta)) / p->beta;
  const double log_gm = gig_log_density(p->lambda, p->beta, p->mode);
  p->v_high = gig_widen * m2 * std::exp((gig_log_density(p->lambda, p->beta, m2) - log_gm) / 2);
}

// The hat: g(m) on (0, x0], exp(-beta) x^(lambda - 1) on (x0, x1] and
// x1^(lambda - 1) exp(-beta x / 2) beyond, with x0 = beta / (1 - lambda) and
// x1 = max(x0, 2 / beta); every piece bounds g (x + 1/x >= 2). Logarithms
// relative to log g(m) keep the constants finite. The seeded outputs fix
// the plain forms below; where they leave the doubles (omega below about
// 1e-150) the same quantities are taken through logarithms.
void plan_three_piece(gig_plan* p) {
  p->how = gig_method::three_piece;
  const double l = p->lambda;
  const double b = p->beta;
  p->mode = mode_of(l, b);
  const double log_gm = gig_log_density(l, b, p->mode);
  p->x0 = b / (1 - l);
  p->x1 = std::max(p->x0, 2 / b);
  p->log_k1 = 0;
  p->log_k2 = -b - log_gm;
  p->log_k3 = (l - 1) * std::log(p->x1) - log_gm;
  p->area1 = p->x0;
  const double ratio = p->x1 / p->x0;
  p->span = std::isfinite(ratio) ? std::log(ratio) : std::log(p->x1) - std::log(p->x0);
  p->growth = std::expm1(l * p->span);
  // integral of x^(l - 1) over (x0, x1]: (x1^l - x0^l) / l, or the log for l = 0
  const double power_integral =
      l == 0 ? p->span
      : std::isfinite(p->growth) ? std::exp(l * std::log(p->x0)) * p->growth / l
                                 : std::exp(l * std::log(p->x1) + std::log(-std::expm1(-l * p->span))) / l;
  p->area2 = std::exp(p->log_k2) * power_integral;
  const double log_tail = p->log_k3 - b * p->x1 / 2;
  p->area3 = std::exp(log_tail) >= DBL_MIN ? std::exp(log_tail) * (2 / b)
                                           : std::exp(log_tail + std::log(2 / b));
}

// a / b (positive, finite) as scale 2^scale_exponent: the quotient where it
// is a normal double, else from the mantissas, so that a scale beyond the
// doubles neither overflows nor loses digits before its draw.
void set_scale(gig_plan* p, double a, double b) {
  const double q = a / b;
  p->scale = q;
  p->scale_exponent = 0;
  if (q >= DBL_MIN && q <= DBL_MAX) return;
  int ea = 0, eb = 0;
  const double ma = std::frexp(a, &ea);
  const double mb = std::frexp(b, &eb);
  p->scale = ma / mb;
  p->scale_exponent = ea - eb;
}

// Gamma(lambda, scale 2 / psi), or chi / 2 over Gamma(-lambda).
void plan_gamma(gig_plan* p, double chi, double psi) {
  if (p->invert) set_scale(p, chi, 2); else set_scale(p, 2, psi);
  if (p->lambda > gig_point_lambda) {
    p->how = gig_method::point_mass;
    p->mode = p->lambda;  // shape - 1 rounds to the shape
    return;
  }
  // Below shape 1, Stuart: G(a) = G(a + 1) U^(1 / a).
  p->how = p->lambda >= 1 ? gig_method::shifted_gamma : gig_method::gamma_below_one;
  p->shape = p->lambda >= 1 ? p->lambda : p->lambda + 1;
  plan_shifted_gamma(p);
}

}  // namespace

// The plan for one parameter set, whose domain has been checked.
gig_plan gig_plan_for(double lambda, double chi, double psi) {
  gig_plan p{};
  p.invert = lambda < 0;
  p.lambda = std::fabs(lambda);
  const double beta = std::sqrt(chi) * std::sqrt(psi);
  // Where |lambda| > 1 and omega < |lambda| 1e-300 the standardised mode,
  // about 2 |lambda| / omega, leaves the doubles, and the gamma limit is
  // within total variation E[1 - exp(-chi / (2 X))] <= omega^2 / (4 (|lambda|
  // - 1)) < 1e-290 of the law (the expectation under the gamma).
  if (chi == 0 || psi == 0 || (p.lambda > 1 && beta * 1e300 < p.lambda)) {
    plan_gamma(&p, chi, psi);
    return p;
  }
  p.beta = beta;
  set_scale(&p, std::sqrt(chi), std::sqrt(psi));
  if (p.lambda > gig_point_lambda) {
    // The mode ((lambda - 1) + hypot(lambda - 1, omega)) / omega, divided
    // through so that it cannot overflow; (lambda - 1) / omega <= 1e300 here.
    const double r = (p.lambda - 1) / beta;
    p.how = gig_method::point_mass;
    p.mode = r + std::hypot(r, 1.0);
  } else if (p.lambda > 1 || p.beta > 1) {
    plan_shifted_gig(&p);
  } else if (p.beta >= std::min(0.5, 2.0 / 3 * std::sqrt(1 - p.lambda))) {
    plan_plain(&p);
  } else {
    plan_three_piece(&p);
  }
  return p;
}
