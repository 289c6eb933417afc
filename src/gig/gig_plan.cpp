// Plans for gig_draws: which rejection method suits a parameter set, and
// the constants of its envelope (Hoermann and Leydold 2014).
#include <algorithm>
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
// relative to log g(m) keep the constants finite.
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
  const double span = std::log(p->x1 / p->x0);
  // integral of x^(l - 1) over (x0, x1]: (x1^l - x0^l) / l, or the log for l = 0
  const double power_integral =
      l > 0 ? std::exp(l * std::log(p->x0)) * std::expm1(l * span) / l : span;
  p->area2 = std::exp(p->log_k2) * power_integral;
  p->area3 = std::exp(p->log_k3 - b * p->x1 / 2) * (2 / b);
}

}  // namespace

// The plan for one parameter set, whose domain has been checked.
gig_plan gig_plan_for(double lambda, double chi, double psi) {
  gig_plan p{};
  p.invert = lambda < 0;
  p.lambda = std::fabs(lambda);
  if (chi == 0 || psi == 0) {
    // Gamma(lambda, scale 2 / psi), or chi / 2 over Gamma(-lambda).
    p.scale = chi == 0 ? 2 / psi : chi / 2;
    // Below shape 1, Stuart: G(a) = G(a + 1) U^(1 / a).
    p.how = p.lambda >= 1 ? gig_method::shifted_gamma : gig_method::gamma_below_one;
    p.shape = p.lambda >= 1 ? p.lambda : p.lambda + 1;
    plan_shifted_gamma(&p);
    return p;
  }
  p.beta = std::sqrt(chi) * std::sqrt(psi);
  p.scale = std::sqrt(chi) / std::sqrt(psi);
  if (p.lambda > 1 || p.beta > 1) {
    plan_shifted_gig(&p);
  } else if (p.beta >= std::min(0.5, 2.0 / 3 * std::sqrt(1 - p.lambda))) {
    plan_plain(&p);
  } else {
    plan_three_piece(&p);
  }
  return p;
}
