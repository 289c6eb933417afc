// One variable's row of mcmc_summary: its statistics from the sorted draws,
// R-hat from the normal scores of the ranks of the draws and of their
// distances from the median, the bulk ESS from the first, the tail ESS from
// the indicators of the 5 % and 95 % quantiles and the ESS of the mean from
// the draws themselves.
#include <algorithm>
#include <cmath>

#include "mcmc.h"

const char* const summary_column_names[summary_columns] = {
    "mean", "median", "sd", "mad", "q5", "q95", "rhat", "ess_bulk", "ess_tail", "mcse_mean"};

namespace {

constexpr double machine_eps = 2.220446049250313e-16;
constexpr double mad_constant = 1.4826;
// Fewer iterations than this leave split chains of one draw: no diagnostic.
constexpr int64_t min_iterations = 4;

// The median of sorted values, for an even count the mean of the middle two
// as R takes it.
double sorted_median(const double* v, int64_t n) {
  if (n % 2 == 1) return v[n / 2];
  return accurate_mean(v + n / 2 - 1, 2);
}

// R's default quantile (type 7): at 1-based position 1 + (n - 1) p, between
// neighbours only where they differ (so that Inf beside Inf stays Inf).
double sorted_quantile(const double* v, int64_t n, double p) {
  const double index = 1 + (n - 1) * p;
  const double lo = std::floor(index);
  double q = v[static_cast<int64_t>(lo) - 1];
  const double upper = v[static_cast<int64_t>(std::ceil(index)) - 1];
  if (index > lo && upper != q) {
    const double h = index - lo;
    q = (1 - h) * q + h * upper;
  }
  return q;
}

// |v - centre| in ascending order with the draws they belong to: the draws
// below the centre read downwards merged with those above it read upwards,
// since the rounded differences are monotone on each side.
void fold_sorted(const double* v, const uint32_t* order, int64_t n, double centre, double* folded,
                 uint32_t* folded_order, interrupt_check check) {
  int64_t up = std::lower_bound(v, v + n, centre) - v;
  int64_t down = up - 1;
  for (int64_t k = 0; k < n; ++k) {
    if ((k & check_mask) == check_mask) check();
    const bool take_down = down >= 0 && (up >= n || std::fabs(v[down] - centre) <= std::fabs(v[up] - centre));
    const int64_t from = take_down ? down-- : up++;
    folded[k] = std::fabs(v[from] - centre);
    folded_order[k] = order[from];
  }
}

// The normal score of each kept draw's rank among the kept draws, ties
// given their average rank, written to its place among the split chains.
void rank_scores(const double* sorted, const uint32_t* order, int64_t n, const call_tables& tables,
                 double* split, interrupt_check check) {
  int64_t ranked = 0;
  for (int64_t i = 0, end; i < n; i = end) {
    if ((i & check_mask) == check_mask) check();
    int64_t kept = 0;
    for (end = i; end < n && sorted[end] == sorted[i]; ++end) kept += tables.split_index[order[end]] >= 0;
    if (kept == 0) continue;
    // The ranks ranked + 1 .. ranked + kept average to (first + last) / 2.
    const double score = tables.normal_scores[2 * ranked + kept + 1];
    for (int64_t k = i; k < end; ++k) {
      const int64_t to = tables.split_index[order[k]];
      if (to >= 0) split[to] = score;
    }
    ranked += kept;
  }
}

// The kept draws, or their indicators x <= bound, as split chains.
void split_draws(const double* x, int64_t n, const call_tables& tables, double* split) {
  for (int64_t p = 0; p < n; ++p)
    if (tables.split_index[p] >= 0) split[tables.split_index[p]] = x[p];
}
void split_indicators(const double* x, int64_t n, const call_tables& tables, double bound, double* split) {
  for (int64_t p = 0; p < n; ++p)
    if (tables.split_index[p] >= 0) split[tables.split_index[p]] = x[p] <= bound ? 1 : 0;
}

// R's min and max give NA when either value is NA.
double nan_min(double a, double b) { return std::isnan(a) || std::isnan(b) ? NAN : std::min(a, b); }
double nan_max(double a, double b) { return std::isnan(a) || std::isnan(b) ? NAN : std::max(a, b); }

}  // namespace

int64_t scratch_doubles(const split_plan& plan) {
  const int64_t n = plan.iterations * plan.chains;
  // keys (2 n), order (2 n halves), sorted, folded, folded order, split
  // chains, then split_ess's work.
  return 2 * n + n + n + n + (n + 1) / 2 + plan.split_draws +
         (2 * plan.chains + plan.split_draws + 2 * plan.half + 3 * plan.fft_size);
}

void summarise_variable(const double* x, const split_plan& plan, const call_tables& tables,
                        double* scratch, interrupt_check check, double* row) {
  std::fill(row, row + summary_columns, NAN);
  const int64_t n = plan.iterations * plan.chains;
  if (n == 0) return;
  bool infinite = false;
  double lo = x[0];
  double hi = x[0];
  for (int64_t p = 0; p < n; ++p) {
    if (std::isnan(x[p])) return;  // every field NaN
    infinite = infinite || std::isinf(x[p]);
    lo = std::min(lo, x[p]);
    hi = std::max(hi, x[p]);
  }
  row[col_mean] = accurate_mean(x, n);
  if (!infinite && n > 1) row[col_sd] = std::sqrt(variance_about(x, n, row[col_mean]));

  uint64_t* keys = reinterpret_cast<uint64_t*>(scratch);
  uint32_t* order = reinterpret_cast<uint32_t*>(scratch + 2 * n);
  double* sorted = scratch + 3 * n;
  double* folded = sorted + n;
  uint32_t* folded_order = reinterpret_cast<uint32_t*>(folded + n);
  double* split = folded + n + (n + 1) / 2;
  double* work = split + plan.split_draws;
  sort_draws(x, n, keys, order, sorted, check);
  const double median = sorted_median(sorted, n);
  row[col_median] = median;
  row[col_q5] = sorted_quantile(sorted, n, 0.05);
  row[col_q95] = sorted_quantile(sorted, n, 0.95);
  // An infinite median has NaN distances from infinite draws.
  const bool folds = std::isfinite(median);
  if (folds) {
    fold_sorted(sorted, order, n, median, folded, folded_order, check);
    row[col_mad] = mad_constant * sorted_median(folded, n);
  }
  if (plan.iterations < min_iterations) return;

  rank_scores(sorted, order, n, tables, split, check);
  const double rhat_bulk = split_rhat(split, plan, work);
  row[col_ess_bulk] = split_ess(split, plan, tables, work, check);
  double rhat_tail = NAN;
  if (folds) {
    rank_scores(folded, folded_order, n, tables, split, check);
    rhat_tail = split_rhat(split, plan, work);
  }
  row[col_rhat] = nan_max(rhat_bulk, rhat_tail);
  // The tail and mean ESS need finite draws that are not constant (by an
  // absolute tolerance, as for the split chains).
  if (infinite || !(hi - lo >= machine_eps)) return;
  split_indicators(x, n, tables, row[col_q5], split);
  const double ess_low = split_ess(split, plan, tables, work, check);
  split_indicators(x, n, tables, row[col_q95], split);
  row[col_ess_tail] = nan_min(ess_low, split_ess(split, plan, tables, work, check));
  split_draws(x, n, tables, split);
  row[col_mcse_mean] = row[col_sd] / std::sqrt(split_ess(split, plan, tables, work, check));
}
