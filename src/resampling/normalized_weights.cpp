// [W, ESS, LOGMEAN] = normalized_weights (LOGW)
//
// Normalises log-weights, one weight set per column of LOGW (a vector is
// one set): W = exp (LOGW - max) / sum, ESS = 1 / sum (W .^ 2) and
// LOGMEAN = log (mean (exp (LOGW))) = max + log (sum / n), the evidence
// increment of a sequential Monte Carlo step. Shifting by the column's
// maximum keeps every exponential in [0, 1] with at least one equal to 1,
// so nothing overflows and the sum never underflows. -Inf is a zero weight.
#include <cmath>

#include "../host/host.h"
#include "../host/interrupt.h"
#include "weight_columns.h"

namespace {

constexpr const char* name = "logw";
// Elements between interrupt checks: well under a millisecond of work.
constexpr int64_t poll_every = 1 << 16;

// Counted over the whole array, so that many short columns are polled too.
inline void poll_at(int64_t element) {
  if ((element + 1) % poll_every == 0) leave_if_interrupted();
}

// The weight sets, and the first set's largest entry, found while checking.
struct weight_sets {
  weight_columns columns;
  double first_max;
};

weight_sets read_call(int nlhs, int nrhs, const mxArray* prhs[]) {
  require_outputs_at_most(nlhs, 3);
  require_input_count(nrhs == 1);
  const weight_columns columns = read_weight_columns(prhs[0], name);
  return weight_sets{columns, check_weight_columns(columns, name)};
}

// One set's weights, its effective sample size and its log mean weight. The
// sums are accumulated from 0 in index order.
struct set_summary {
  double ess;
  double logmean;
};

set_summary normalise_set(const double* logw, double* w, int64_t n, int64_t column, double max) {
  double total = 0;
  for (int64_t i = 0; i < n; ++i) {
    poll_at(column * n + i);
    w[i] = std::exp(logw[i] - max);
    total += w[i];
  }
  double squares = 0;
  for (int64_t i = 0; i < n; ++i) {
    poll_at(column * n + i);
    w[i] = w[i] / total;
    squares += w[i] * w[i];
  }
  // total lies in [1, n]: neither the quotient nor its logarithm can fail.
  return set_summary{1 / squares, max + std::log(total / static_cast<double>(n))};
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const weight_sets call = read_call(nlhs, nrhs, prhs);
  const weight_columns& s = call.columns;

  // Every element is written below: no need to clear it first.
  plhs[0] = mxCreateUninitNumericMatrix(rows_of(prhs[0]), cols_of(prhs[0]), mxDOUBLE_CLASS, mxREAL);
  double* w = mxGetPr(plhs[0]);
  double* ess = nullptr;
  double* logmean = nullptr;
  if (nlhs >= 2) {
    plhs[1] = mxCreateDoubleMatrix(1, s.sets, mxREAL);
    ess = mxGetPr(plhs[1]);
  }
  if (nlhs == 3) {
    plhs[2] = mxCreateDoubleMatrix(1, s.sets, mxREAL);
    logmean = mxGetPr(plhs[2]);
  }
  for (int64_t j = 0; j < s.sets; ++j) {
    const double* logw = s.logw + j * s.n;
    // The checks found the first set's maximum; the others are found again.
    const double max = j == 0 ? call.first_max : checked_column_max(s, j, name);
    const set_summary summary = normalise_set(logw, w + j * s.n, s.n, j, max);
    if (ess != nullptr) ess[j] = summary.ess;
    if (logmean != nullptr) logmean[j] = summary.logmean;
  }
}
