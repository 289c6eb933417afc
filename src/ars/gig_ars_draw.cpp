// y = gig_ars_draw (a0, a1, a2, a3, a4)
//
// One draw y > 0 from the generalised inverse Gaussian density proportional
// to y^(lambda - 1) * exp(-(chi / y + psi * y) / 2), with
// lambda = (a2 * a4 - a1) / 2, chi = a0 * a1 and psi = a2 * a4 / a3.
// The sampler draws x = -log(y), whose log-density is concave, starting its
// searches at y = a0.
#include <cmath>

#include "../host/host.h"
#include "../host/host_stream.h"
#include "ars.h"

namespace {

constexpr const char* msg_bad_arguments =
    "Arguments must satisfy a0 > 0, a1 > 0, a3 ~= 0 and a2*a4/a3 >= 0, all finite.";
constexpr const char* msg_sampler_failed =
    "The sampler could not draw from this density; check the arguments.";

struct logp_params {
  double r0;  // 1 / a0
  double r1;  // a1 - a2 * a4
  double r2;  // a1
  double r3;  // a2
  double r4;  // (1 / a3) * a4
};

// h(x) = x * r1 / 2 - e * r2 / (2 * r0) - r3 * r4 / (2 * e), e = exp(x),
// and its derivative; the terms are evaluated left to right as written.
double logp(double* derivative, void* params, double x) {
  const logp_params* p = static_cast<const logp_params*>(params);
  const double e = std::exp(x);
  const double falling = e * p->r2 / (2 * p->r0);
  const double rising = p->r3 * p->r4 / (2 * e);
  *derivative = p->r1 / 2 - falling + rising;
  return x * p->r1 / 2 - falling - rising;
}

// The density is proper and log-concave in x exactly when these hold; any
// other values would leave the sampler searching for ever.
bool within_contract(double a0, double a1, double a2, double a3, double a4) {
  const double psi = a2 * a4 / a3;
  return std::isfinite(a0) && std::isfinite(a1) && std::isfinite(a2) && std::isfinite(a3) &&
         std::isfinite(a4) && a0 > 0 && a1 > 0 && a3 != 0 && std::isfinite(psi) && psi >= 0;
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  require_input_count(nrhs == 5);
  require_outputs_at_most(nlhs, 1);
  // Read in the order 1, 2, 3, 5, 4.
  const double a0 = read_scalar_param(prhs[0], "a0");
  const double a1 = read_scalar_param(prhs[1], "a1");
  const double a2 = read_scalar_param(prhs[2], "a2");
  const double a4 = read_scalar_param(prhs[4], "a4");
  const double a3 = read_scalar_param(prhs[3], "a3");

  logp_params params{1 / a0, a1 - a2 * a4, a1, a2, (1 / a3) * a4};
  // Start at y = a0; the width shrinks as a1 (the density's curvature) grows.
  const double start = std::log(params.r0);
  const double width = std::log(1 + 1 / std::sqrt(a1));
  if (!within_contract(a0, a1, a2, a3, a4) || !std::isfinite(start) ||
      !std::isfinite(width) || !(width > 0))
    fail("arguments", msg_bad_arguments);

  plhs[0] = mxCreateDoubleMatrix(1, 1, mxREAL);
  double x = NAN;
  {
    // Settled before the failure below is raised.
    const host_stream_scope streams;
    x = ars(logp, &params, start, width);
  }
  if (std::isnan(x)) fail("samplerFailed", msg_sampler_failed);
  mxGetPr(plhs[0])[0] = std::exp(-x);
}
