// Y = gig_draws (LAMBDA, CHI, PSI)
// Y = gig_draws (LAMBDA, CHI, PSI, M, N)
// Y = gig_draws (LAMBDA, CHI, PSI, [M N])
//
// Draws from the generalised inverse Gaussian distribution, density
// proportional to x^(lambda - 1) exp(-(chi / x + psi * x) / 2) for x > 0.
// Each parameter is a scalar or an array of per-element values; elements
// are drawn in storage order.
//
// With omega = sqrt(chi psi) and alpha = sqrt(chi / psi), X = alpha Y where
// Y has density proportional to y^(lambda - 1) exp(-omega (y + 1/y) / 2);
// for lambda < 0, X = alpha / Y' with Y' drawn for -lambda (the density is
// symmetric under y -> 1/y, lambda -> -lambda). Y is drawn by one of three
// rejection methods after Hoermann and Leydold (2014), chosen by lambda and
// omega so that the expected number of trials stays bounded whatever the
// parameters: ratio-of-uniforms shifted to the mode where the density is
// log-concave enough (lambda > 1 or omega > 1), ratio-of-uniforms without
// the shift for moderate omega, and a three-piece hat (constant, power,
// exponential) for the peaked, non-concave case of small lambda and omega.
// chi = 0 (lambda > 0) and psi = 0 (lambda < 0) are the gamma and inverse
// gamma limits, drawn by the shifted ratio-of-uniforms for the gamma; so is
// |lambda| > 1 with omega below |lambda| 1e-300, where the limit is exact.
// Above |lambda| = 1e290 the law is a point mass to double precision. The
// scale is kept as a mantissa and a power of two where it is not a normal
// double, so a draw is Inf or 0 only where its true value is.
// The plans are made in gig_plan.cpp, the draws in gig_sample.cpp.
//
// Uniforms come from the host's rand in blocks rand (k, 1), k = min (65536,
// 2 r + 32) with r the elements not yet drawn when the block is asked for;
// they are used in order and what is left of the last block is discarded.
#include <algorithm>
#include <cmath>

#include "../host/host.h"
#include "../host/interrupt.h"
#include "gig.h"

namespace {

constexpr const char* msg_domain =
    "lambda, chi and psi must be finite, with chi >= 0 and psi >= 0, chi > 0 where "
    "lambda <= 0 and psi > 0 where lambda >= 0.";
constexpr const char* msg_omega_range =
    "sqrt (chi * psi) below 1e-300 is not supported where |lambda| <= 1.";

// Below this, for |lambda| <= 1, the hat's constants (2 / omega, its mass
// relative to the mode) leave the double range; for |lambda| > 1 the gamma
// limit is exact there (gig_plan_for).
constexpr double smallest_omega = 1e-300;

bool in_domain(double lambda, double chi, double psi) {
  if (!std::isfinite(lambda) || !std::isfinite(chi) || !std::isfinite(psi)) return false;
  if (!(chi >= 0 && psi >= 0)) return false;
  if (lambda <= 0 && !(chi > 0)) return false;
  if (lambda >= 0 && !(psi > 0)) return false;
  return true;
}

struct gig_call {
  output_size size;
  int32_t count;
  param_source lambda, chi, psi;
};

gig_call read_call(int nlhs, int nrhs, const mxArray* prhs[]) {
  require_outputs_at_most(nlhs, 1);
  gig_call call{};
  call.size = params_size(3, nrhs, prhs);
  call.count = call.size.rows * call.size.cols;
  call.lambda = read_param(prhs[0], "lambda", call.count);
  call.chi = read_param(prhs[1], "chi", call.count);
  call.psi = read_param(prhs[2], "psi", call.count);
  for (int32_t i = 0; i < call.count; ++i) {
    // A draw costs well under a microsecond unless the host's rand is
    // broken, and then only one element spends gig_max_trials.
    if (i % 64 == 0) leave_if_interrupted();
    const double lambda = param_at(call.lambda, i);
    const double chi = param_at(call.chi, i);
    const double psi = param_at(call.psi, i);
    if (!in_domain(lambda, chi, psi)) fail("domain", msg_domain);
    if (chi > 0 && psi > 0 && std::fabs(lambda) <= 1 && std::sqrt(chi) * std::sqrt(psi) < smallest_omega)
      fail("omegaRange", msg_omega_range);
  }
  return call;
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const gig_call call = read_call(nlhs, nrhs, prhs);

  plhs[0] = mxCreateDoubleMatrix(call.size.rows, call.size.cols, mxREAL);
  double* draws = mxGetPr(plhs[0]);
  uniform_blocks source{nullptr, nullptr, 0, 0, call.count, false};
  double last[3] = {NAN, NAN, NAN};
  gig_plan plan{};
  for (int32_t i = 0; i < call.count; ++i) {
    // A draw costs well under a microsecond unless the host's rand is
    // broken, and then only one element spends gig_max_trials.
    if (i % 64 == 0) leave_if_interrupted();
    const double lambda = param_at(call.lambda, i);
    const double chi = param_at(call.chi, i);
    const double psi = param_at(call.psi, i);
    // A plan is made again only when the parameters change.
    if (!(lambda == last[0] && chi == last[1] && psi == last[2])) {
      plan = gig_plan_for(lambda, chi, psi);
      last[0] = lambda;
      last[1] = chi;
      last[2] = psi;
    }
    source.elements_left = call.count - i;
    draws[i] = gig_draw(plan, &source);
  }
  if (source.block != nullptr) mxDestroyArray(source.block);
}
