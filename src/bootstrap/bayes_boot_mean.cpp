// R = bayes_boot_mean (X)
// R = bayes_boot_mean (X, B)
// R = bayes_boot_mean (X, B, W)
//
// B Bayesian-bootstrap replicates of the column means of the n x d data X:
// row i of the B x d result is sum_j X(j, :) * w(j) for replicate i's
// Dirichlet weight vector w (n host uniforms per replicate, see dirichlet.h).
// Optional prior weights W (n x 1) scale the exponential draws before they
// are normalised.
#include "dirichlet.h"

namespace {

struct boot_mean_call {
  const double* data;
  const double* prior;  // null without prior weights
  int32_t n;
  int32_t d;
  int32_t replicates;
};

boot_mean_call read_call(int nlhs, int nrhs, const mxArray* prhs[]) {
  require_outputs_at_most(nlhs, 1);
  require_input_count(nrhs >= 1 && nrhs <= 3);
  const mxArray* x = prhs[0];
  const double replicates = nrhs >= 2 ? read_replicate_count(prhs[1]) : 1;
  if (nrhs == 3) check_prior_shape(prhs[2], rows_of(x), "W must have same length as X.");
  const output_size result = checked_size(replicates, static_cast<double>(cols_of(x)));
  const output_size data = checked_size(static_cast<double>(rows_of(x)), static_cast<double>(cols_of(x)));

  boot_mean_call call{nullptr, nullptr, data.rows, data.cols, result.rows};
  if (call.replicates > 0 && call.n > 0) {
    if (call.d > 0) {
      require_real_double(x, "X");
      call.data = mxGetPr(x);
    }
    if (nrhs == 3) {
      require_real_double(prhs[2], "W");
      call.prior = mxGetPr(prhs[2]);
    }
  }
  return call;
}

// Row i of the result: each element sums X(j, k) * w(j) over j in
// increasing order from 0, as X(j, k) * w(j) + sum. Eight columns at a time
// keep eight independent sums in registers and read X column by column.
void fill_replicate(const boot_mean_call& call, double* weights, double total, int32_t i,
                    double* result) {
  for (int32_t j = 0; j < call.n; ++j) weights[j] = weights[j] / total;
  constexpr int32_t width = 8;
  int32_t k = 0;
  for (; k + width <= call.d; k += width) {
    const double* column = call.data + static_cast<int64_t>(k) * call.n;
    double sums[width] = {0, 0, 0, 0, 0, 0, 0, 0};
    for (int32_t j = 0; j < call.n; ++j)
      for (int32_t m = 0; m < width; ++m) sums[m] = column[j + static_cast<int64_t>(m) * call.n] * weights[j] + sums[m];
    for (int32_t m = 0; m < width; ++m) result[i + static_cast<int64_t>(k + m) * call.replicates] = sums[m];
  }
  for (; k < call.d; ++k) {
    const double* column = call.data + static_cast<int64_t>(k) * call.n;
    double sum = 0;
    for (int32_t j = 0; j < call.n; ++j) sum = column[j] * weights[j] + sum;
    result[i + static_cast<int64_t>(k) * call.replicates] = sum;
  }
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const boot_mean_call call = read_call(nlhs, nrhs, prhs);

  plhs[0] = mxCreateDoubleMatrix(call.replicates, call.d, mxREAL);
  double* result = mxGetPr(plhs[0]);
  replicate_source source = replicate_source_for(call.n, call.replicates);
  for (int32_t i = 0; i < call.replicates; ++i) {
    double total = 0;
    double* exponentials = next_replicate_exponentials(&source, call.prior, &total);
    fill_replicate(call, exponentials, total, i, result);
  }
  release_replicate_source(&source);
}
