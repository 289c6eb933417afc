#include "regions.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "../host/interrupt.h"
#include "../random_variates/random_variates.h"

namespace {

// Uniform proposals beat N(0, 1) ones on an interval around the mode as long
// as it is narrower than sqrt (2 pi) sigmas (their acceptance rates are
// P / (w phi (0)) and P).
constexpr double sqrt_2pi = 2.5066282746310002;
// On [alpha, Inf) the half-normal accepts 2 (1 - Phi (alpha)), the Rayleigh
// proposal alpha (1 - Phi (alpha)) / phi (alpha): they cross at
// alpha = 2 phi (alpha), about 0.648.
constexpr double rayleigh_from = 0.648;
// Beyond this alpha^2 + 2 e rounds to alpha^2 for every e the host can give.
constexpr double huge_z = 1e150;
// A working generator never rejects this many trials in a row; a broken one
// must not hang the session.
constexpr long max_trials = 1000000;
constexpr long poll_every = 4096;

// (x - mu) / sigma, also where x - mu overflows.
double standardised(double x, double mu, double sigma) {
  const double d = x - mu;
  return std::isfinite(d) ? d / sigma : x / sigma - mu / sigma;
}

double clamped(const tn_plan& p, double x) { return std::min(std::max(x, p.lo), p.hi); }

double draw_normal(const tn_plan& p) {
  for (long trial = 1; trial <= max_trials; ++trial) {
    if (trial % poll_every == 0) leave_if_interrupted();
    const double z = rand_gaussian();
    // The interval is tested in the caller's units, so an accepted draw
    // lies in it whatever the rounding; mu + sigma z may overflow, and is
    // then outside.
    const double x = p.mu + p.sigma * (p.folded ? p.side * std::fabs(z) : z);
    if (p.lo <= x && x <= p.hi) return x;
  }
  return NAN;
}

// x uniform on [lo, hi], accepted with exp (-(z^2 - m^2) / 2) written as
// (z - m) ((z + m) / 2) in the frame where the interval lies above the
// mode: z - m comes straight from x - near, exact however narrow the
// interval, and halving each term keeps (z + m) / 2 finite at the largest
// doubles.
double draw_uniform(const tn_plan& p) {
  for (long trial = 1; trial <= max_trials; ++trial) {
    if (trial % poll_every == 0) leave_if_interrupted();
    const double u = rand_uniform();
    const double v = rand_uniform();
    const double x = clamped(p, p.lo + p.width * u);
    const double from_near = p.side * (x - p.near) / p.sigma;
    const double half_sum = p.side * standardised(x, p.mu, p.sigma) / 2 + p.near_z / 2;
    if (v <= std::exp(-(from_near * half_sum))) return x;
  }
  return NAN;
}

// With a = near_z and f = expm1 (-(b^2 - a^2) / 2), e = -log1p (u f) is
// (z^2 - a^2) / 2 for z drawn from the density z exp (-z^2 / 2) on [a, b]
// by inversion; z is accepted with probability a / z. The draw is the near
// bound plus sigma (z - a), with z - a = 2 e / (a + z) free of cancellation.
double draw_rayleigh(const tn_plan& p) {
  const double a = p.near_z;
  for (long trial = 1; trial <= max_trials; ++trial) {
    if (trial % poll_every == 0) leave_if_interrupted();
    const double u = rand_uniopen();
    const double v = rand_uniform();
    const double e = -std::log1p(u * p.rayleigh_f);
    const double z = a >= huge_z ? a : std::sqrt(a * a + 2 * e);
    if (v * z <= a) return clamped(p, p.near + p.side * (p.sigma * (2 * e / (a + z))));
  }
  return NAN;
}

}  // namespace

tn_plan truncated_normal_plan(double mu, double sigma, double a, double b) {
  tn_plan p{};
  p.mu = mu;
  p.sigma = sigma;
  p.lo = std::max(a, -DBL_MAX);
  p.hi = std::min(b, DBL_MAX);
  p.width = p.hi - p.lo;  // Inf where it overflows
  const double alpha = standardised(p.lo, mu, sigma);
  const double beta = standardised(p.hi, mu, sigma);
  // From the width itself, exact where alpha and beta round together.
  const double width_z = p.width / sigma;
  p.side = 1;
  if (alpha < 0 && beta > 0) {
    p.near = mu;
    p.how = width_z < sqrt_2pi ? tn_method::uniform : tn_method::normal;
    return p;
  }
  if (alpha < 0) p.side = -1;  // below the mode: drawn as the mirror image
  p.near = p.side > 0 ? p.lo : p.hi;
  p.near_z = p.side > 0 ? alpha : -beta;
  const double far_z = p.side > 0 ? beta : -alpha;
  // (beta^2 - alpha^2) / 2 in the mirrored frame; at most 1 keeps the
  // uniform proposal's acceptance above 1 - 1/e.
  const double spread = width_z * (p.near_z / 2 + far_z / 2);
  if (spread <= 1) {
    p.how = tn_method::uniform;
  } else if (p.near_z >= rayleigh_from) {
    p.how = tn_method::rayleigh;
    p.rayleigh_f = std::expm1(-spread);
  } else {
    p.how = tn_method::normal;
    p.folded = true;
  }
  return p;
}

double truncated_normal_draw(const tn_plan& p) {
  switch (p.how) {
    case tn_method::uniform:
      return draw_uniform(p);
    case tn_method::rayleigh:
      return draw_rayleigh(p);
    case tn_method::normal:
      break;
  }
  return draw_normal(p);
}
