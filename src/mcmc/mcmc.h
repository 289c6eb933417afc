// The convergence diagnostics behind mcmc_summary: rank-normalised split
// R-hat, bulk and tail effective sample sizes and the Monte Carlo standard
// error of the mean (Vehtari, Gelman, Simpson, Carpenter and Buerkner 2021,
// "Rank-normalization, folding, and localization: an improved R-hat for
// assessing convergence of MCMC", Bayesian Analysis 16(2)), with the
// summary statistics beside them.
//
// Nothing here calls the host except through the `interrupt_check` a caller
// passes, so the routines run on worker threads as they are; make_tables
// and free_tables alone allocate host memory, on the main thread.
#pragma once

#include <cstdint>

// The columns of one summary row, in the order of the result's fields.
enum summary_column {
  col_mean, col_median, col_sd, col_mad, col_q5, col_q95,
  col_rhat, col_ess_bulk, col_ess_tail, col_mcse_mean, summary_columns
};
extern const char* const summary_column_names[summary_columns];

// Ctrl-C during the long loops of one variable: leave_if_interrupted on the
// main thread, a function that does nothing on a worker.
using interrupt_check = void (*)();
inline void no_interrupt_check() {}
// Elements (or butterflies, or products) between two checks.
inline constexpr int64_t check_mask = (1 << 16) - 1;

// The draws of one variable: `iterations` x `chains`, a chain a column.
// Each chain is split into a first and a second half of `half` iterations;
// of an odd length the middle iteration belongs to neither. The split
// chains are the first halves of every chain, then the second halves.
struct split_plan {
  int64_t iterations;
  int64_t chains;
  int64_t half;           // iterations / 2, rounded down
  int64_t second;         // the first iteration of the second half
  int64_t split_draws;    // 2 * chains * half
  int64_t fft_size;       // the power of two at least 2 * half
  int64_t direct_lags;    // lags summed directly before the FFT pays
};
split_plan make_split_plan(int64_t iterations, int64_t chains);

// What every variable of a call shares, made once on the main thread and
// read-only afterwards.
struct call_tables {
  // split_index[p]: where draw p goes among the split chains, -1 for a
  // middle iteration that no split chain keeps.
  const int64_t* split_index;
  // normal_scores[k], k = 2 .. 2 S: the normal quantile of
  // (k / 2 - 3/8) / (S + 1/4), the score of an average rank k / 2 among the
  // S split draws.
  const double* normal_scores;
  // cos and sin of -2 pi j / fft_size, j < fft_size / 2, interleaved.
  const double* twiddles;
};

// The tables, made in host memory on the main thread (which polls for
// Ctrl-C meanwhile), and their release.
call_tables make_tables(const split_plan& plan);
void free_tables(const call_tables& tables);

// Working memory of one variable's summary, `scratch_doubles (plan)`
// doubles; the routines below carve their arrays out of it.
int64_t scratch_doubles(const split_plan& plan);

// Fills row[0 .. summary_columns) for the draws x (plan.iterations x
// plan.chains). NaN marks what the draws do not define.
void summarise_variable(const double* x, const split_plan& plan, const call_tables& tables,
                        double* scratch, interrupt_check check, double* row);

// The normal quantile function, accurate to about one unit in the last
// place (Wichura 1988, algorithm AS 241). p in (0, 1); 0 and 1 give -Inf and
// +Inf, anything else NaN.
double normal_quantile(double p);

// The mean as R's mean () computes it: an extended-precision sum, divided,
// then corrected by the mean of the residuals.
double accurate_mean(const double* x, int64_t n);
// The variance with divisor n - 1 about `mean`, the squares summed in
// extended precision (n >= 2).
double variance_about(const double* y, int64_t n, double mean);

// Sums over the split chains, in four partial sums (chain_sums.cpp).
// sum over i < n - t of d[i] d[i + t]
double lag_products(const double* d, int64_t n, int64_t t);
// The mean, corrected by the mean of the residuals.
double chain_mean(const double* y, int64_t n);
// The variance with divisor n - 1 about `mean` (n >= 2).
double chain_variance(const double* y, int64_t n, double mean);
// R's test for constant values: a range below the double epsilon, an
// absolute tolerance whatever their scale. No NaN among y; n >= 1.
bool range_below_eps(const double* y, int64_t n);

// R-hat of split chains y (plan.split_draws values, a split chain of
// plan.half after another), NaN when they are all equal. `means` holds
// 2 * plan.chains doubles.
double split_rhat(const double* y, const split_plan& plan, double* means);
// Effective sample size of split chains y by the autocovariance and Geyer's
// initial monotone sequence, NaN when they are all equal or shorter than 3.
// `work` holds 2 chains + split_draws + 2 half + 3 fft_size doubles.
double split_ess(const double* y, const split_plan& plan, const call_tables& tables,
                 double* work, interrupt_check check);

// In-place forward FFT of `size` complex values (re, im interleaved), size a
// power of two, with twiddles as in call_tables.
void fft_in_place(double* data, int64_t size, const double* twiddles, interrupt_check check);

// Sorts x (n values, no NaN) ascending: values[i] = x[order[i]]. -0 sorts
// with +0. `keys` holds 2 n values, `order` 2 n.
void sort_draws(const double* x, int64_t n, uint64_t* keys, uint32_t* order, double* values,
                interrupt_check check);
