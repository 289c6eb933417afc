// Y = truncated_normal_draws (MU, SIGMA, A, B)
// Y = truncated_normal_draws (MU, SIGMA, A, B, M, N)
// Y = truncated_normal_draws (MU, SIGMA, A, B, [M N])
//
// Draws from Normal(MU, SIGMA^2) restricted to [A, B]. Each parameter is a
// scalar or an array of per-element values; elements are drawn in storage
// order, each by the method that suits its interval (regions.h), so that
// every draw is exact and lies in [A, B], however far in a tail or however
// narrow the interval.
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "../host/host.h"
#include "../host/interrupt.h"
#include "../random_variates/random_variates.h"
#include "regions.h"

namespace {

constexpr const char* msg_mu = "mu must be finite.";
constexpr const char* msg_sigma = "sigma must be positive and finite.";
constexpr const char* msg_bound_nan = "a and b must not be NaN.";
constexpr const char* msg_empty_interval = "a must be less than b.";
constexpr int32_t poll_every = 4096;

constexpr const char* param_names[] = {"mu", "sigma", "a", "b"};

struct tn_call {
  params_call draw;
  bool per_element;  // some parameter is an array
};

// A = +Inf or B = -Inf leaves no interval: both fail a < b.
void check_element(double mu, double sigma, double a, double b) {
  if (!std::isfinite(mu)) fail("muDomain", msg_mu);
  if (!(sigma > 0 && std::isfinite(sigma))) fail("sigmaDomain", msg_sigma);
  if (std::isnan(a) || std::isnan(b)) fail("boundNaN", msg_bound_nan);
  if (!(a < b)) fail("emptyInterval", msg_empty_interval);
}

tn_call read_call(int nlhs, int nrhs, const mxArray* prhs[]) {
  tn_call call{read_params_call(nlhs, nrhs, prhs, 4, param_names, argument_rules::whole), false};
  const param_source* p = call.draw.params;
  for (int k = 0; k < 4; ++k) call.per_element = call.per_element || p[k].values != nullptr;
  // Scalar parameters are the same for every element: one check does.
  const int32_t checks = call.per_element ? call.draw.count : std::min(call.draw.count, 1);
  for (int32_t i = 0; i < checks; ++i)
    check_element(param_at(p[0], i), param_at(p[1], i), param_at(p[2], i), param_at(p[3], i));
  return call;
}

// The plan depends on the bounds only as truncated_normal_plan clamps them.
bool same_parameters(const tn_plan& p, double mu, double sigma, double a, double b) {
  return p.mu == mu && p.sigma == sigma && p.lo == std::max(a, -DBL_MAX) && p.hi == std::min(b, DBL_MAX);
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const tn_call call = read_call(nlhs, nrhs, prhs);

  const params_call& draw = call.draw;
  // Every element is written below: the output is not cleared first, which
  // for a large one would take a pass that Ctrl-C cannot stop.
  plhs[0] = mxCreateUninitNumericMatrix(draw.size.rows, draw.size.cols, mxDOUBLE_CLASS, mxREAL);
  double* draws = mxGetPr(plhs[0]);
  const host_stream_scope streams;
  tn_plan plan{};
  bool gave_up = false;  // a broken host: every later draw is NaN at once
  for (int32_t i = 0; i < draw.count; ++i) {
    if (i % poll_every == 0) leave_if_interrupted();
    const double mu = param_at(draw.params[0], i);
    const double sigma = param_at(draw.params[1], i);
    const double a = param_at(draw.params[2], i);
    const double b = param_at(draw.params[3], i);
    // A plan is made again only when the parameters change.
    if (i == 0 || (call.per_element && !same_parameters(plan, mu, sigma, a, b)))
      plan = truncated_normal_plan(mu, sigma, a, b);
    draws[i] = gave_up ? NAN : truncated_normal_draw(plan);
    gave_up = gave_up || std::isnan(draws[i]);
  }
}
