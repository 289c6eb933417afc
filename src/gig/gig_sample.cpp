// The draws of gig_draws: each follows a plan made by gig_plan_for and takes
// its uniforms, in order, from rand (k, 1) blocks.
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "../host/host.h"
#include "gig.h"

namespace {

double next_uniform(uniform_blocks* s) {
  if (s->used == s->size) {
    if (s->block != nullptr) mxDestroyArray(s->block);
    const int64_t k = std::min<int64_t>(65536, 2 * s->elements_left + 32);
    s->block = host_draw_array("rand", output_size{static_cast<int32_t>(k), 1});
    s->values = mxGetPr(s->block);
    s->size = k;
    s->used = 0;
  }
  return s->values[s->used++];
}

// No candidate accepted in gig_max_trials: the host's rand is broken.
double give_up(uniform_blocks* s) {
  s->gave_up = true;
  return NAN;
}

// x0 exp(t) for x0 exp(t) within the double range: the plain product that
// the seeded outputs were made with, unless exp(t) alone overflows.
double times_exp(double x0, double t) {
  const double e = std::exp(t);
  return std::isfinite(e) ? x0 * e : std::exp(std::log(x0) + t);
}

// Shifted ratio-of-uniforms: u then v per candidate; Y = m + v / u.
double draw_shifted(const gig_plan& p, uniform_blocks* source) {
  for (long trial = 0; trial < gig_max_trials; ++trial) {
    const double u = gig_widen * next_uniform(source);
    const double v = p.v_low + (p.v_high - p.v_low) * next_uniform(source);
    const double d = v / u;
    if (!(p.mode + d > 0)) continue;
    const double log_ratio = p.how == gig_method::shifted_gig ? gig_log_ratio(p, d) : gamma_log_ratio(p, d);
    if (2 * std::log(u) <= log_ratio) return p.mode + d;
  }
  return give_up(source);
}

// Ratio-of-uniforms about 0: u then v per candidate; Y = v / u.
double draw_plain(const gig_plan& p, uniform_blocks* source) {
  const double log_gm = gig_log_density(p.lambda, p.beta, p.mode);
  for (long trial = 0; trial < gig_max_trials; ++trial) {
    const double u = gig_widen * next_uniform(source);
    const double x = p.v_high * next_uniform(source) / u;
    if (!(x > 0)) continue;
    if (2 * std::log(u) <= gig_log_density(p.lambda, p.beta, x) - log_gm) return x;
  }
  return give_up(source);
}

// Three-piece hat: one uniform picks the piece by area, one places the
// candidate in it, one decides.
double draw_three_piece(const gig_plan& p, uniform_blocks* source) {
  const double total = p.area1 + p.area2 + p.area3;
  const double log_gm = gig_log_density(p.lambda, p.beta, p.mode);
  for (long trial = 0; trial < gig_max_trials; ++trial) {
    const double pick = total * next_uniform(source);
    const double w = next_uniform(source);
    double x;
    double log_hat;
    if (pick <= p.area1) {
      x = p.x0 * w;
      log_hat = p.log_k1;
    } else if (pick <= p.area1 + p.area2) {
      // By inversion, x^l = x0^l (1 + w growth); where growth overflows,
      // x = x1 (w + (1 - w) exp(-l span))^(1 / l), its form relative to x1.
      if (p.lambda == 0) {
        x = times_exp(p.x0, w * p.span);
      } else if (std::isfinite(p.growth)) {
        x = times_exp(p.x0, std::log1p(w * p.growth) / p.lambda);
      } else {
        x = p.x1 * std::exp(std::log(w + (1 - w) * std::exp(-p.lambda * p.span)) / p.lambda);
      }
      log_hat = p.log_k2 + (p.lambda - 1) * std::log(x);
    } else {
      x = p.x1 - 2 / p.beta * std::log(w);
      log_hat = p.log_k3 - p.beta * x / 2;
    }
    const double u = next_uniform(source);
    if (!(x > 0)) continue;
    if (std::log(u) + log_hat <= gig_log_density(p.lambda, p.beta, x) - log_gm) return x;
  }
  return give_up(source);
}

// Stuart's G(a) = G(a + 1) U^(1 / a) for shape a < 1, U first. Where the
// product is not a normal double the whole draw is taken through its log,
// so that a value the scale brings back into range keeps its digits and a
// 0 or Inf means the true value lies beyond the doubles.
double draw_gamma_below_one(const gig_plan& p, uniform_blocks* source) {
  const double u = next_uniform(source);
  const double g = draw_shifted(p, source);
  const double y = g * std::pow(u, 1 / p.lambda);
  if (!(y < DBL_MIN)) return std::ldexp(p.invert ? p.scale / y : p.scale * y, p.scale_exponent);
  const double log_y = std::log(g) + std::log(u) / p.lambda;
  return std::exp(std::log(p.scale) + p.scale_exponent * std::log(2.0) + (p.invert ? -log_y : log_y));
}

}  // namespace

double gig_draw(const gig_plan& p, uniform_blocks* source) {
  if (source->gave_up) return NAN;
  double y = NAN;
  switch (p.how) {
    case gig_method::shifted_gig:
    case gig_method::shifted_gamma:
      y = draw_shifted(p, source);
      break;
    case gig_method::gamma_below_one:
      return draw_gamma_below_one(p, source);
    case gig_method::plain:
      y = draw_plain(p, source);
      break;
    case gig_method::three_piece:
      y = draw_three_piece(p, source);
      break;
    case gig_method::point_mass:
      y = p.mode;
      break;
  }
  // ldexp(x, 0) is x: a normal scale keeps the single product of old.
  return std::ldexp(p.invert ? p.scale / y : p.scale * y, p.scale_exponent);
}
