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
// gamma limits, drawn by the shifted ratio-of-uniforms for the gamma.
//
// Uniforms come from the host's rand in blocks rand (k, 1), k = min (65536,
// 2 r + 32) with r the elements not yet drawn when the block is asked for;
// they are used in order and what is left of the last block is discarded.
#include <algorithm>
#include <cmath>

#include "../host/host.h"

namespace {

constexpr const char* msg_domain =
    "lambda, chi and psi must be finite, with chi >= 0 and psi >= 0, chi > 0 where "
    "lambda <= 0 and psi > 0 where lambda >= 0.";
constexpr const char* msg_omega_range = "sqrt (chi * psi) below 1e-300 is not supported.";

// Below this the standardised scale 2 / omega overflows.
constexpr double smallest_omega = 1e-300;
// A working generator never rejects this many candidates in a row; a broken
// one must not hang the session.
constexpr long max_trials = 1000000;
// Rectangles are widened by this much: the extremes are found numerically,
// and a rectangle that is too small by a rounding error would bias draws.
constexpr double widen = 1 + 1e-9;

// ---------------------------------------------------------------- uniforms

struct uniform_blocks {
  mxArray* block;
  const double* values;
  int64_t size;
  int64_t used;
  int64_t elements_left;  // r: elements not yet drawn
  // Set when a draw found no acceptance in max_trials: the host's rand is
  // broken, and the remaining elements are NaN at once instead of each
  // spending max_trials.
  bool gave_up;
};

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

// ---------------------------------------------------------------- methods

enum class method { shifted_gig, shifted_gamma, plain, three_piece, gamma_below_one };

// Everything one parameter set needs for its draws.
struct gig_plan {
  method how;
  double lambda;   // >= 0 (the sign is in `invert`)
  double shape;    // the gamma methods: the shape of the shifted draw
  double beta;     // omega; unused by the gamma methods
  double scale;    // the draw is scale * Y, or scale / Y when inverted
  bool invert;
  double mode;     // m
  double v_low;    // the rectangle's v range (ratio-of-uniforms)
  double v_high;
  // three-piece hat
  double x0, x1, log_k1, log_k2, log_k3, area1, area2, area3;
};

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
  p->how = method::shifted_gig;
  p->mode = mode_of(p->lambda, p->beta);
  const double low = shift_extreme(p->lambda, p->beta, p->mode, -1);
  const double high = shift_extreme(p->lambda, p->beta, p->mode, +1);
  p->v_low = widen * low * std::exp(gig_log_ratio(*p, low) / 2);
  p->v_high = widen * high * std::exp(gig_log_ratio(*p, high) / 2);
}

// Shape lambda >= 1: the extremes of d sqrt(g) solve a quadratic,
// y = lambda +- sqrt(2 lambda - 1).
void plan_shifted_gamma(gig_plan* p) {
  p->mode = p->shape - 1;
  const double root = std::sqrt(2 * p->shape - 1);
  const double low = 1 - root;
  const double high = 1 + root;
  p->v_low = widen * low * std::exp(gamma_log_ratio(*p, low) / 2);
  p->v_high = widen * high * std::exp(gamma_log_ratio(*p, high) / 2);
}

// Ratio-of-uniforms about 0: u up to sqrt(g(m)), v up to the maximum of
// x sqrt(g(x)), reached at the mode of x^(lambda + 1) exp(...).
void plan_plain(gig_plan* p) {
  p->how = method::plain;
  p->mode = mode_of(p->lambda, p->beta);
  const double m2 = ((p->lambda + 1) + std::hypot(p->lambda + 1, p->beta)) / p->beta;
  const double log_gm = gig_log_density(p->lambda, p->beta, p->mode);
  p->v_high = widen * m2 * std::exp((gig_log_density(p->lambda, p->beta, m2) - log_gm) / 2);
}

// The hat: g(m) on (0, x0], exp(-beta) x^(lambda - 1) on (x0, x1] and
// x1^(lambda - 1) exp(-beta x / 2) beyond, with x0 = beta / (1 - lambda) and
// x1 = max(x0, 2 / beta); every piece bounds g (x + 1/x >= 2). Logarithms
// relative to log g(m) keep the constants finite.
void plan_three_piece(gig_plan* p) {
  p->how = method::three_piece;
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

// The plan for one parameter set, whose domain has been checked.
gig_plan plan_for(double lambda, double chi, double psi) {
  gig_plan p{};
  p.invert = lambda < 0;
  p.lambda = std::fabs(lambda);
  if (chi == 0 || psi == 0) {
    // Gamma(lambda, scale 2 / psi), or chi / 2 over Gamma(-lambda).
    p.scale = chi == 0 ? 2 / psi : chi / 2;
    // Below shape 1, Stuart: G(a) = G(a + 1) U^(1 / a).
    p.how = p.lambda >= 1 ? method::shifted_gamma : method::gamma_below_one;
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

// ---------------------------------------------------------------- draws

// Shifted ratio-of-uniforms: u then v per candidate; Y = m + v / u.
double draw_shifted(const gig_plan& p, uniform_blocks* source) {
  for (long trial = 0; trial < max_trials; ++trial) {
    const double u = widen * next_uniform(source);
    const double v = p.v_low + (p.v_high - p.v_low) * next_uniform(source);
    const double d = v / u;
    if (!(p.mode + d > 0)) continue;
    const double log_ratio = p.how == method::shifted_gig ? gig_log_ratio(p, d) : gamma_log_ratio(p, d);
    if (2 * std::log(u) <= log_ratio) return p.mode + d;
  }
  return NAN;
}

// Ratio-of-uniforms about 0: u then v per candidate; Y = v / u.
double draw_plain(const gig_plan& p, uniform_blocks* source) {
  const double log_gm = gig_log_density(p.lambda, p.beta, p.mode);
  for (long trial = 0; trial < max_trials; ++trial) {
    const double u = widen * next_uniform(source);
    const double x = p.v_high * next_uniform(source) / u;
    if (!(x > 0)) continue;
    if (2 * std::log(u) <= gig_log_density(p.lambda, p.beta, x) - log_gm) return x;
  }
  return NAN;
}

// Three-piece hat: one uniform picks the piece by area, one places the
// candidate in it, one decides.
double draw_three_piece(const gig_plan& p, uniform_blocks* source) {
  const double total = p.area1 + p.area2 + p.area3;
  const double log_gm = gig_log_density(p.lambda, p.beta, p.mode);
  for (long trial = 0; trial < max_trials; ++trial) {
    const double pick = total * next_uniform(source);
    const double w = next_uniform(source);
    double x;
    double log_hat;
    if (pick <= p.area1) {
      x = p.x0 * w;
      log_hat = p.log_k1;
    } else if (pick <= p.area1 + p.area2) {
      const double span = std::log(p.x1 / p.x0);
      x = p.lambda > 0 ? p.x0 * std::exp(std::log1p(w * std::expm1(p.lambda * span)) / p.lambda)
                       : p.x0 * std::exp(w * span);
      log_hat = p.log_k2 + (p.lambda - 1) * std::log(x);
    } else {
      x = p.x1 - 2 / p.beta * std::log(w);
      log_hat = p.log_k3 - p.beta * x / 2;
    }
    const double u = next_uniform(source);
    if (!(x > 0)) continue;
    if (std::log(u) + log_hat <= gig_log_density(p.lambda, p.beta, x) - log_gm) return x;
  }
  return NAN;
}

double draw(const gig_plan& p, uniform_blocks* source) {
  if (source->gave_up) return NAN;
  double y = NAN;
  switch (p.how) {
    case method::shifted_gig:
    case method::shifted_gamma:
      y = draw_shifted(p, source);
      break;
    case method::gamma_below_one: {
      // U first, then the shape lambda + 1 draw.
      const double u = next_uniform(source);
      y = draw_shifted(p, source) * std::pow(u, 1 / p.lambda);
      break;
    }
    case method::plain:
      y = draw_plain(p, source);
      break;
    case method::three_piece:
      y = draw_three_piece(p, source);
      break;
  }
  if (std::isnan(y)) source->gave_up = true;
  return p.invert ? p.scale / y : p.scale * y;
}

// ---------------------------------------------------------------- arguments

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
    const double lambda = param_at(call.lambda, i);
    const double chi = param_at(call.chi, i);
    const double psi = param_at(call.psi, i);
    if (!in_domain(lambda, chi, psi)) fail("domain", msg_domain);
    if (chi > 0 && psi > 0 && std::sqrt(chi) * std::sqrt(psi) < smallest_omega)
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
    const double lambda = param_at(call.lambda, i);
    const double chi = param_at(call.chi, i);
    const double psi = param_at(call.psi, i);
    // A plan is made again only when the parameters change.
    if (!(lambda == last[0] && chi == last[1] && psi == last[2])) {
      plan = plan_for(lambda, chi, psi);
      last[0] = lambda;
      last[1] = chi;
      last[2] = psi;
    }
    source.elements_left = call.count - i;
    draws[i] = draw(plan, &source);
  }
  if (source.block != nullptr) mxDestroyArray(source.block);
}
