// R = bayes_boot_percentiles (X, P)
// R = bayes_boot_percentiles (X, P, B)
// R = bayes_boot_percentiles (X, P, B, W)
//
// B Bayesian-bootstrap replicates of the percentiles P (in percent) of the
// sample X, passed sorted ascending as a column of n >= 2 values. Each
// replicate draws a Dirichlet weight vector (n host uniforms, see dirichlet.h),
// forms the cumulative weights U and reads every level q = P / 100 off the
// weighted empirical distribution: q takes the first row j with U(j) >= q,
// placed on the line from (U(j-1), X(j-1)) to (U(j), X(j)); levels at or
// below U(0) take X(0). The B x numel (P) result has its columns in
// ascending order of P.
#include <algorithm>

#include "../host/threads.h"
#include "dirichlet.h"

namespace {

struct boot_percentiles_call {
  const mxArray* percentiles;
  const double* sample;
  const double* prior;  // null without prior weights
  int32_t n;
  int32_t levels;
  int32_t replicates;
};

boot_percentiles_call read_call(int nlhs, int nrhs, const mxArray* prhs[]) {
  require_outputs_at_most(nlhs, 1);
  require_input_count(nrhs >= 2 && nrhs <= 4);
  const mxArray* x = prhs[0];
  const mxArray* p = prhs[1];
  if (rows_of(p) > 1 && cols_of(p) > 1) fail("notVector", "P must be a vector.");
  require_real_double(p, "P");
  const double replicates = nrhs >= 3 ? read_replicate_count(prhs[2]) : 1;
  if (nrhs == 4) check_prior_shape(prhs[3], rows_of(x), "W must be a same size as X.");
  if (rows_of(x) < 2) fail("tooFewRows", "X must have at least two rows.");
  // Its rows are read as the sample: without a column there is none to read.
  if (cols_of(x) == 0) fail("emptySample", "X must not be empty.");
  const output_size result = checked_size(replicates, static_cast<double>(count_of(p)));
  const int32_t n = checked_size(static_cast<double>(rows_of(x)), 1).rows;

  boot_percentiles_call call{p, nullptr, nullptr, n, result.cols, result.rows};
  if (call.replicates > 0) {
    require_real_double(x, "X");
    call.sample = mxGetPr(x);
    if (nrhs == 4) {
      require_real_double(prhs[3], "W");
      call.prior = mxGetPr(prhs[3]);
    }
  }
  return call;
}

// The levels: a sorted copy of P from the host's sort, divided by 100.
const double* sorted_levels(const boot_percentiles_call& call) {
  mxArray* sorted = nullptr;
  mxArray* input = const_cast<mxArray*>(call.percentiles);
  mexCallMATLAB(1, &sorted, 1, &input, "sort");
  // A user's own sort on the path can return anything.
  if (sorted == nullptr || !is_real_double(sorted) || rows_of(sorted) != rows_of(call.percentiles) ||
      cols_of(sorted) != cols_of(call.percentiles))
    fail_host_result("sort");
  double* levels = mxGetPr(sorted);
  for (int32_t p = 0; p < call.levels; ++p) levels[p] = levels[p] / 100;
  return levels;
}

// The straight line from (lower_u, lower_x) to (upper_u, upper_x) at q,
// evaluated in this order to fix its rounding.
double interpolate(double lower_x, double upper_x, double lower_u, double upper_u, double q) {
  return lower_x + ((upper_x - lower_x) * (q - lower_u)) / (upper_u - lower_u);
}

// Worker threads: one per 16,000 uniforms (each takes about 6.5 ns; see
// threads_for).
constexpr double break_even_values = 16000;
constexpr int64_t task_values = 16384;

// One replicate: `cumulative` holds the exponentials on entry and the
// cumulative weights on return. Every comparison with a NaN is false and
// ends the scan of that row, so a NaN level is never assigned.
void fill_replicate(const boot_percentiles_call& call, const double* q, double* cumulative,
                    double total, int32_t r, double* result) {
  const double* x = call.sample;
  int32_t c = 0;
  cumulative[0] = cumulative[0] / total;
  for (; c < call.levels && cumulative[0] >= q[c]; ++c) result[r + c * call.replicates] = x[0];
  for (int32_t j = 1; j < call.n; ++j) {
    // The last cumulative weight is exactly 1, not the computed sum.
    cumulative[j] = j == call.n - 1 ? 1 : cumulative[j - 1] + cumulative[j] / total;
    for (; c < call.levels && cumulative[j] >= q[c]; ++c)
      result[r + c * call.replicates] =
          interpolate(x[j - 1], x[j], cumulative[j - 1], cumulative[j], q[c]);
  }
}

// Replicates `first` to end - 1 of a block: each one's exponentials, then
// its cumulative weights and levels.
void fill_replicates(const boot_percentiles_call& call, const double* levels,
                     const replicate_block& block, int64_t first, int64_t end, double* result) {
  for (int64_t c = first; c < end; ++c) {
    double* values = block.uniforms + c * call.n;
    const double total = exponentials_in_place(values, call.n, call.prior);
    fill_replicate(call, levels, values, total, block.first + static_cast<int32_t>(c), result);
  }
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const boot_percentiles_call call = read_call(nlhs, nrhs, prhs);
  const int32_t threads = thread_count();
  const double* levels = sorted_levels(call);

  plhs[0] = mxCreateDoubleMatrix(call.replicates, call.levels, mxREAL);
  double* result = mxGetPr(plhs[0]);
  replicate_source source = replicate_source_for(call.n, call.replicates);
  const int64_t block_values = replicate_block_values(threads);
  // Tasks of about task_values uniforms each, whole replicates.
  const int64_t per_task = std::max<int64_t>(1, task_values / call.n);
  while (source.left > 0) {
    const replicate_block block = next_replicate_block(&source, block_values);
    const double values = static_cast<double>(block.count) * call.n;
    run_in_chunks(threads_for(threads, values, break_even_values), block.count, per_task,
                  [&](int64_t first, int64_t end) { fill_replicates(call, levels, block, first, end, result); });
  }
  release_replicate_source(&source);
}
