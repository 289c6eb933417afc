// The generalised inverse Gaussian methods behind gig_draws: a plan per
// parameter set (which rejection method, its constants) and the draws that
// follow a plan, taking uniforms from the host's rand in blocks.
#pragma once

#include <cstdint>

#include "mex.h"

// A working generator never rejects this many candidates in a row; a broken
// one must not hang the session.
inline constexpr long gig_max_trials = 1000000;
// Rectangles are widened by this much: the extremes are found numerically,
// and a rectangle that is too small by a rounding error would bias draws.
inline constexpr double gig_widen = 1 + 1e-9;
// Above this |lambda| the law's relative spread, below |lambda|^(-1/2),
// is under 1e-145: to double precision it is a point mass at its mode.
inline constexpr double gig_point_lambda = 1e290;

// Uniforms from rand (k, 1) blocks, k = min (65536, 2 r + 32), asked for
// when the previous block is used up.
struct uniform_blocks {
  mxArray* block;
  const double* values;
  int64_t size;
  int64_t used;
  int64_t elements_left;  // r: elements not yet drawn
  // Set only when a draw found no acceptance in gig_max_trials: the host's
  // rand is broken, and the remaining elements are NaN at once instead of
  // each spending gig_max_trials.
  bool gave_up;
};

enum class gig_method { shifted_gig, shifted_gamma, plain, three_piece, gamma_below_one, point_mass };

// Everything one parameter set needs for its draws.
struct gig_plan {
  gig_method how;
  double lambda;   // >= 0 (the sign is in `invert`)
  double shape;    // the gamma methods: the shape of the shifted draw
  double beta;     // omega; unused by the gamma methods
  // The draw is scale * Y * 2^scale_exponent, or scale / Y * 2^scale_exponent
  // when inverted; the exponent is 0 wherever the scale is a normal double.
  double scale;
  int scale_exponent;
  bool invert;
  double mode;     // m; the value itself for a point mass
  double v_low;    // the rectangle's v range (ratio-of-uniforms)
  double v_high;
  // three-piece hat; span = log(x1 / x0), growth = expm1(lambda span)
  double x0, x1, log_k1, log_k2, log_k3, area1, area2, area3, span, growth;
};

// The plan for lambda, chi, psi inside the domain gig_draws checks: finite,
// chi, psi >= 0, chi > 0 where lambda <= 0, psi > 0 where lambda >= 0, and
// sqrt(chi psi) not below 1e-300 where both are positive and |lambda| <= 1.
gig_plan gig_plan_for(double lambda, double chi, double psi);

// One draw following `plan`; NaN (and every later draw NaN) when no
// candidate is accepted in gig_max_trials.
double gig_draw(const gig_plan& plan, uniform_blocks* source);

// The log-density ratios shared by planning and drawing.
// log g(m + d) - log g(m) for the standardised density g about the mode.
double gig_log_ratio(const gig_plan& p, double d);
// The same for the standard gamma with shape >= 1 about its mode.
double gamma_log_ratio(const gig_plan& p, double d);
// log g(x) of the standardised density, up to its constant.
double gig_log_density(double lambda, double beta, double x);
