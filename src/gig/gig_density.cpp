// The generalised inverse Gaussian log-densities that the plans and the
// draws of gig_draws compare against.
#include <cmath>

#include "gig.h"

namespace {

// log1p(r) - r / (1 + r) and log1p(r) - r, by their series where they
// cancel: the log-density ratios below are large multiples of them when
// lambda is large.
double log1p_minus_ratio(double r) {
  if (std::fabs(r) >= 0.1) return std::log1p(r) - r / (1 + r);
  // sum over k >= 2 of (-1)^k (k - 1) / k r^k
  double term = r * r;
  double sum = 0;
  for (int k = 2; k < 40; ++k, term *= -r) sum += (k - 1) * term / k;
  return sum;
}

double log1p_minus_r(double r) {
  if (std::fabs(r) >= 0.1) return std::log1p(r) - r;
  // sum over k >= 2 of (-1)^(k + 1) r^k / k
  double term = -r * r;
  double sum = 0;
  for (int k = 2; k < 40; ++k, term *= -r) sum += term / k;
  return sum;
}

}  // namespace

// log g(m + d) - log g(m) for the standardised density g. With
// y + 1/y - m - 1/m = d (ym - 1) / (ym) and m^2 - 1 = 2 (lambda - 1) m / beta
// at the mode it is (lambda - 1) (log1p(d/m) - d/y) - beta d^2 / (2 y), in
// which nothing cancels.
double gig_log_ratio(const gig_plan& p, double d) {
  const double y = p.mode + d;
  return (p.lambda - 1) * log1p_minus_ratio(d / p.mode) - p.beta * d * d / (2 * y);
}

// The same for the standard gamma with shape >= 1, mode m = shape - 1:
// m log1p(d/m) - d = m (log1p(d/m) - d/m).
double gamma_log_ratio(const gig_plan& p, double d) {
  if (p.mode == 0) return -d;
  return p.mode * log1p_minus_r(d / p.mode);
}

// log g(x) of the standardised density, up to its constant.
double gig_log_density(double lambda, double beta, double x) {
  return (lambda - 1) * std::log(x) - beta / 2 * (x + 1 / x);
}
