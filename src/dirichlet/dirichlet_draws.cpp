// Y = dirichlet_draws (ALPHA)
// Y = dirichlet_draws (ALPHA, B)
// [Y, LOGY] = dirichlet_draws (...)
//
// Dirichlet draws, one per column of the K x B result: a vector ALPHA of
// K >= 2 concentrations is shared by B draws (default 1); a K x B matrix
// ALPHA gives column j the concentrations ALPHA(:, j).
//
// Each coordinate is the logarithm of a gamma draw (log_gamma.h), normalised
// by a log-sum-exp, so concentrations whose gamma draws underflow (1e-4 and
// below) still give columns that sum to 1 and a finite LOGY. Columns are
// drawn in order, their coordinates in storage order.
#include <cmath>

#include "../host/host.h"
#include "../host/interrupt.h"
#include "../random_variates/random_variates.h"
#include "log_gamma.h"

namespace {

constexpr const char* msg_alpha_shape =
    "alpha must be a vector of at least 2 concentrations or a matrix with at least 2 rows and "
    "2 columns.";
constexpr const char* msg_alpha_domain = "alpha must hold positive finite concentrations.";
constexpr const char* msg_alpha_tiny = "Concentrations below 1e-300 are not supported.";
constexpr const char* msg_count_with_matrix = "B must not be given with a matrix alpha.";

// From here up, log (U) / a is finite for every double U in (0, 1), so every
// log-gamma value, and every difference of two, is finite.
constexpr double smallest_concentration = 1e-300;
constexpr int32_t poll_every = 4096;

// Turns the column's log-gamma values (in y) into y = exp (g - max) / sum
// and, when logy is given, logy = (g - max) - log sum. The sum is 1 plus
// the other terms, so that log1p keeps logy of a dominant coordinate exact.
// A NaN value (a broken host) makes the whole column NaN.
void normalise(double* y, double* logy, int32_t k) {
  int32_t top = 0;
  for (int32_t i = 1; i < k; ++i)
    if (y[i] > y[top]) top = i;
  const double max = y[top];
  double rest = 0;
  for (int32_t i = 0; i < k; ++i) {
    const double shifted = y[i] - max;
    if (logy != nullptr) logy[i] = shifted;
    y[i] = std::exp(shifted);
    if (i != top) rest += y[i];
  }
  const double total = 1 + rest;
  const double log_total = std::log1p(rest);
  for (int32_t i = 0; i < k; ++i) {
    y[i] = y[i] / total;
    if (logy != nullptr) logy[i] = logy[i] - log_total;
  }
}

struct dirichlet_call {
  const double* alpha;
  int32_t k;
  int32_t draws;
  bool per_column;  // a K x B matrix alpha
};

double read_draw_count(const mxArray* b) {
  if (!is_scalar_shape(b)) fail("notScalar", msg_b_not_scalar);
  return read_size_arg(b, "B");
}

dirichlet_call read_call(int nlhs, int nrhs, const mxArray* prhs[]) {
  require_outputs_at_most(nlhs, 2);
  require_input_count(nrhs == 1 || nrhs == 2);
  const mxArray* alpha = prhs[0];
  require_real_double(alpha, "alpha");
  const bool per_column = rows_of(alpha) > 1 && cols_of(alpha) > 1;
  const int64_t k = per_column ? rows_of(alpha) : count_of(alpha);
  if (mxGetNumberOfDimensions(alpha) > 2 || k < 2) fail("alphaShape", msg_alpha_shape);
  if (per_column && nrhs == 2) fail("countWithMatrix", msg_count_with_matrix);
  const double draws = per_column ? static_cast<double>(cols_of(alpha))
                                  : nrhs == 2 ? read_draw_count(prhs[1]) : 1;
  const output_size size = checked_size(static_cast<double>(k), draws);
  dirichlet_call call{mxGetPr(alpha), size.rows, size.cols, per_column};
  const int64_t values = per_column ? count_of(alpha) : k;
  for (int64_t i = 0; i < values; ++i) {
    const double a = call.alpha[i];
    if (!(a > 0 && std::isfinite(a))) fail("alphaDomain", msg_alpha_domain);
    if (a < smallest_concentration) fail("alphaTiny", msg_alpha_tiny);
  }
  return call;
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const dirichlet_call call = read_call(nlhs, nrhs, prhs);

  // Every element is written below: the outputs are not cleared first,
  // which for large ones would take a pass that Ctrl-C cannot stop.
  plhs[0] = mxCreateUninitNumericMatrix(call.k, call.draws, mxDOUBLE_CLASS, mxREAL);
  double* y = mxGetPr(plhs[0]);
  double* logy = nullptr;
  if (nlhs == 2) {
    plhs[1] = mxCreateUninitNumericMatrix(call.k, call.draws, mxDOUBLE_CLASS, mxREAL);
    logy = mxGetPr(plhs[1]);
  }
  if (call.draws == 0) return;
  auto* plans = static_cast<gamma_plan*>(mxMalloc(sizeof(gamma_plan) * call.k));
  const host_stream_scope streams;
  bool gave_up = false;  // a broken host: every later draw is NaN at once
  int32_t since_poll = 0;
  for (int32_t j = 0; j < call.draws; ++j) {
    const int64_t offset = static_cast<int64_t>(j) * call.k;
    const double* alpha = call.alpha + (call.per_column ? offset : 0);
    for (int32_t i = 0; i < call.k; ++i) {
      // A plan is made again only where the concentration changes.
      if (j == 0 || alpha[i] != plans[i].alpha) plans[i] = log_gamma_plan(alpha[i]);
      if (++since_poll == poll_every) {
        since_poll = 0;
        leave_if_interrupted();
      }
      y[offset + i] = gave_up ? NAN : log_gamma_draw(plans[i]);
      gave_up = gave_up || std::isnan(y[offset + i]);
    }
    normalise(y + offset, logy != nullptr ? logy + offset : nullptr, call.k);
  }
  mxFree(plans);
}
