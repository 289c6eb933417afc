// All ten routines live in this one translation unit on purpose: a module
// that links any of them from the static library gets the whole set.
#include "random_variates.h"
#include "gamma_rules.h"

#include <cmath>

#include "../host/host.h"
#include "../host/interrupt.h"

namespace {

// Best (1978), "Letter to the editor", Applied Statistics 27, rejection from
// a t(2)-type envelope for shapes above 1. Two uniforms per trial, u then v.
// The products are written in the order that fixes their rounding.
double gamma_best(double a) {
  const double b = a - 1;
  const double c = 3 * a - 0.75;
  for (long trial = 0; trial < max_trials; ++trial) {
    poll_interrupt(trial);
    const double u = rand_uniopen();
    const double v = rand_uniopen();
    const double w = u * (1 - u);
    const double y = std::sqrt(c / w) * (u - 0.5);
    const double x = b + y;
    if (x < 0) continue;
    const double z = 64 * w * w * w * v * v;
    if (1 - (2 * y * y) / x >= z) return x;
    const double t = 2 * (b * std::log(x / b) - y);
    if (t >= std::log(z)) return x;
  }
  return NAN;
}

// No plug-in picks from weights it has not checked; a caller that passes
// impossible ones gets an error, not the end of the user's session.
[[noreturn]] void fail_pick(const char* what) { fail("pickWeights", what); }
constexpr const char* msg_pickd_weights = "rand_pickd needs non-negative weights with a positive sum.";
constexpr const char* msg_pickf_weights = "rand_pickf needs positive weights.";

}  // namespace

double rand_uniform() { return host_uniform(); }

double rand_uniopen() { return host_uniform(); }

int rand_int(int n) { return static_cast<int>(n * rand_uniform()); }

int rand_pickd(const double* w, int n) {
  double s = 0;
  for (int i = 0; i < n; ++i) {
    if (w[i] < 0) fail_pick(msg_pickd_weights);
    s = s + w[i];
  }
  if (s <= 0) fail_pick(msg_pickd_weights);
  double x = s * rand_uniform();
  for (int i = 0; i < n; ++i) {
    x = x - w[i];
    if (x < 0) return i;
  }
  // Rounding kept x at or above 0: the draw belongs to the first real weight.
  for (int i = 0; i < n; ++i)
    if (w[i] > 0) return i;
  fail_pick(msg_pickd_weights);  // only a NaN sum gets here
}

int rand_pickf(const float* w, int n) {
  double s = 0;
  for (int i = 0; i < n; ++i) {
    if (w[i] <= 0) fail_pick(msg_pickf_weights);
    s = s + static_cast<double>(w[i]);
  }
  if (s <= 0) fail_pick(msg_pickf_weights);
  double x = s * rand_uniform();
  for (int i = 0; i < n; ++i) {
    x = x - static_cast<double>(w[i]);
    if (x < 0) return i;
  }
  for (int i = 0; i < n; ++i)
    if (w[i] > 0) return i;
  fail_pick(msg_pickf_weights);  // only a NaN sum gets here
}

double rand_gaussian() { return host_normal(); }

double rand_exp() { return -std::log(rand_uniopen()); }

double rand_cauchy() { return std::tan(3.141592653589793 * (rand_uniopen() - 0.5)); }

double rand_gamma(double a) {
  if (std::isnan(a) || a > gamma_huge_shape) return a;
  double r;
  if (a < gamma_tiny_shape) {
    r = a;
  } else if (a <= 1) {
    // Stuart's theorem: G(a) = G(1 + a) * U^(1/a). u is drawn before the
    // shape 1 + a draw, which always takes Best's branch.
    const double u = rand_uniopen();
    const double g = rand_gamma(1 + a);
    r = g * std::pow(u, 1 / a);
  } else if (a < gamma_exp_shape) {
    r = rand_exp();
  } else {
    r = gamma_best(a);
  }
  return gamma_floored(r, a);
}

double rand_beta(double a, double b) {
  for (long trial = 0; trial < max_trials; ++trial) {
    poll_interrupt(trial);
    const double g1 = rand_gamma(a);
    const double g2 = rand_gamma(b);
    const double q = g1 / (g1 + g2);
    // (1 + q) - 1 rounds q to a multiple of 2^-52 on purpose; a result that
    // rounds to 0 or 1 is drawn again.
    const double x = (1 + q) - 1;
    if ((0 < x && x < 1) || std::isnan(x)) return x;
  }
  return NAN;
}
