// Y = polya_gamma_draws (B, Z)
// Y = polya_gamma_draws (B, Z, M, N)
// Y = polya_gamma_draws (B, Z, [M N])
//
// Draws from the Polya-Gamma distribution PG(b, z), b > 0, z real: the law
// of sum_k g_k / (2 pi^2 ((k - 1/2)^2 + z^2 / (4 pi^2))) with independent
// g_k ~ Gamma(b, 1), whose Laplace transform is cosh(z/2)^b /
// cosh(sqrt(z^2 / 4 + s / 2))^b. B and Z are scalars or arrays of
// per-element values; elements are drawn in storage order.
//
// PG(b, z) = J*(b, |z| / 2) / 4, drawn exactly as a sum of pieces
// (jacobi_star.h): floor(b) pieces J*(1, c), then for the fractional part
// h = b - floor(b) one piece J*(h, c) when h <= 1/2 and two pieces
// J*(h / 2, c) when h > 1/2. The pieces are added in that order and the sum
// is divided by 4.
//
// Host values come through the random variate library, in the order the
// pieces are drawn (see jstar_draw).
#include <cmath>

#include "../host/host.h"
#include "../host/interrupt.h"
#include "../random_variates/random_variates.h"
#include "jacobi_star.h"

namespace {

constexpr const char* msg_b_domain = "b must be positive and finite.";
constexpr const char* msg_z_domain = "z must be finite.";
constexpr const char* msg_b_range = "b above 1e6 is not supported.";

// A draw costs about b times 0.1 microseconds; above this one element
// would hold the session for a tenth of a second or more.
constexpr double largest_b = 1e6;
constexpr int64_t pieces_between_polls = 256;

two_param_call read_call(int nlhs, int nrhs, const mxArray* prhs[]) {
  const two_param_call call = read_two_param_call(nlhs, nrhs, prhs, "b", "z", argument_rules::whole);
  for (int32_t i = 0; i < call.count; ++i) {
    const double b = param_at(call.first, i);
    if (!(b > 0 && b < INFINITY)) fail("domain", msg_b_domain);
    if (!std::isfinite(param_at(call.second, i))) fail("domain", msg_z_domain);
    if (b > largest_b) fail("bRange", msg_b_range);
  }
  return call;
}

// The plans of one (b, z): floor(b) whole pieces, 0 to 2 fractional ones.
struct element_plan {
  double b, z;
  int32_t whole;  // b <= 1e6
  int fractions;
  jstar_plan one;
  jstar_plan fraction;
};

// Made in place: a plan per element is the common case (z = X beta).
void plan_element(double b, double z, element_plan* e) {
  e->b = b;
  e->z = z;
  const double c = std::fabs(z) / 2;
  const double whole = std::floor(b);
  e->whole = static_cast<int32_t>(whole);
  const double h = b - whole;  // exact: b < 2^52
  e->fractions = h == 0 ? 0 : h <= 0.5 ? 1 : 2;
  if (e->whole > 0) e->one = jstar_plan_for(1, c);
  if (e->fractions > 0) e->fraction = jstar_plan_for(e->fractions == 1 ? h : h / 2, c);
}

// Pieces drawn so far in this call, for the Ctrl-C polls; set `failed`
// when a piece could not be drawn (a broken host rand).
struct draw_state {
  int64_t pieces;
  bool failed;
};

double next_piece(const jstar_plan& plan, draw_state* state) {
  if (++state->pieces % pieces_between_polls == 0) leave_if_interrupted();
  const double x = jstar_draw(plan);
  if (std::isnan(x)) state->failed = true;
  return x;
}

double draw_element(const element_plan& e, draw_state* state) {
  double sum = 0;
  for (int32_t k = 0; k < e.whole && !state->failed; ++k) sum += next_piece(e.one, state);
  for (int k = 0; k < e.fractions && !state->failed; ++k) sum += next_piece(e.fraction, state);
  return state->failed ? NAN : sum / 4;
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const two_param_call call = read_call(nlhs, nrhs, prhs);

  // Every element is written below: the output is not cleared first, which
  // for a large one would take a pass that Ctrl-C cannot stop.
  plhs[0] = mxCreateUninitNumericMatrix(call.size.rows, call.size.cols, mxDOUBLE_CLASS, mxREAL);
  double* draws = mxGetPr(plhs[0]);
  const host_stream_scope streams;
  draw_state state{0, false};
  element_plan plan{};
  plan.b = NAN;
  for (int32_t i = 0; i < call.count; ++i) {
    const double b = param_at(call.first, i);
    const double z = param_at(call.second, i);
    // A plan is made again only when the parameters change.
    if (!(b == plan.b && z == plan.z)) plan_element(b, z, &plan);
    draws[i] = state.failed ? NAN : draw_element(plan, &state);
  }
}
