// R = bayes_boot_mean (X)
// R = bayes_boot_mean (X, B)
// R = bayes_boot_mean (X, B, W)
//
// B Bayesian-bootstrap replicates of the column means of the n x d data X:
// row i of the B x d result is sum_j X(j, :) * w(j) for replicate i's
// Dirichlet weight vector w (n host uniforms per replicate, see dirichlet.h).
// Optional prior weights W (n x 1) scale the exponential draws before they
// are normalised.
#include <algorithm>

#include "../host/threads.h"
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

// Every result element sums X(j, k) * w(j) over j in increasing order from
// 0, as X(j, k) * w(j) + sum, in registers. Replicates are taken `lanes` at
// a time, each lane one replicate's sum, so that one product of X(j, k)
// serves eight independent sums side by side; the weights of the eight
// are copied row by row into a slab that the lanes read in step, and
// columns are taken a group at a time so the sums stay on the stack.
constexpr int32_t lanes = 8;
constexpr int32_t slab_rows = 256;
constexpr int32_t column_group = 32;
// Two doubles side by side (a GCC and Clang vector type), four of them for
// the eight lanes: each operation is the same IEEE operation lane by
// lane, so every lane's sum has the bits of the scalar sum.
typedef double lane_pair __attribute__((vector_size(2 * sizeof(double))));
constexpr int32_t pairs = lanes / 2;
struct lane_sums {
  lane_pair pair[pairs];
};

// Worker threads: one per 12,000 weights (a weight's logarithm, division
// and products for ten columns take about 8 ns; see threads_for).
constexpr double break_even_weights = 12000;

void add_slab(const double* column, const lane_sums* slab, int32_t rows, lane_sums* sums) {
  lane_pair s0 = sums->pair[0], s1 = sums->pair[1], s2 = sums->pair[2], s3 = sums->pair[3];
  for (int32_t j = 0; j < rows; ++j) {
    const lane_pair x = {column[j], column[j]};
    s0 = x * slab[j].pair[0] + s0;
    s1 = x * slab[j].pair[1] + s1;
    s2 = x * slab[j].pair[2] + s2;
    s3 = x * slab[j].pair[3] + s3;
  }
  *sums = lane_sums{{s0, s1, s2, s3}};
}

// Result rows `row` to row + lanes - 1 from those replicates' normalised
// weights (weights[r] for lane r).
void fill_lanes(const boot_mean_call& call, const double* const weights[lanes], int32_t row,
                double* result) {
  lane_sums slab[slab_rows];
  lane_sums sums[column_group];
  for (int32_t k0 = 0; k0 < call.d; k0 += column_group) {
    const int32_t group = std::min(column_group, call.d - k0);
    for (int32_t k = 0; k < group; ++k) sums[k] = lane_sums{};
    for (int32_t j0 = 0; j0 < call.n; j0 += slab_rows) {
      const int32_t rows = std::min(slab_rows, call.n - j0);
      for (int32_t j = 0; j < rows; ++j)
        for (int32_t r = 0; r < lanes; ++r) slab[j].pair[r / 2][r % 2] = weights[r][j0 + j];
      for (int32_t k = 0; k < group; ++k)
        add_slab(call.data + static_cast<int64_t>(k0 + k) * call.n + j0, slab, rows, &sums[k]);
    }
    for (int32_t k = 0; k < group; ++k)
      for (int32_t r = 0; r < lanes; ++r)
        result[row + r + static_cast<int64_t>(k0 + k) * call.replicates] = sums[k].pair[r / 2][r % 2];
  }
}

// One replicate alone: eight columns at a time keep eight independent sums.
void fill_row(const boot_mean_call& call, const double* weights, int32_t row, double* result) {
  int32_t k = 0;
  for (; k + lanes <= call.d; k += lanes) {
    const double* column = call.data + static_cast<int64_t>(k) * call.n;
    double sums[lanes] = {0, 0, 0, 0, 0, 0, 0, 0};
    for (int32_t j = 0; j < call.n; ++j)
      for (int32_t m = 0; m < lanes; ++m) sums[m] = column[j + static_cast<int64_t>(m) * call.n] * weights[j] + sums[m];
    for (int32_t m = 0; m < lanes; ++m) result[row + static_cast<int64_t>(k + m) * call.replicates] = sums[m];
  }
  for (; k < call.d; ++k) {
    const double* column = call.data + static_cast<int64_t>(k) * call.n;
    double sum = 0;
    for (int32_t j = 0; j < call.n; ++j) sum = column[j] * weights[j] + sum;
    result[row + static_cast<int64_t>(k) * call.replicates] = sum;
  }
}

// Up to `lanes` replicates of a block, from column `first` on: each
// replicate's exponentials and their sum, the weights e(j) / S in place,
// then the sums.
void fill_replicates(const boot_mean_call& call, const replicate_block& block, int32_t first,
                     double* result) {
  const int32_t count = std::min(lanes, block.count - first);
  const double* weights[lanes];
  for (int32_t c = 0; c < count; ++c) {
    double* w = block.uniforms + static_cast<int64_t>(first + c) * call.n;
    const double total = exponentials_in_place(w, call.n, call.prior);
    for (int32_t j = 0; j < call.n; ++j) w[j] = w[j] / total;
    weights[c] = w;
  }
  if (count < lanes) {
    for (int32_t c = 0; c < count; ++c) fill_row(call, weights[c], block.first + first + c, result);
  } else {
    fill_lanes(call, weights, block.first + first, result);
  }
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const boot_mean_call call = read_call(nlhs, nrhs, prhs);
  const int32_t threads = thread_count();

  // Every element is written by its replicate, so no zero fill first.
  plhs[0] = mxCreateUninitNumericMatrix(call.replicates, call.d, mxDOUBLE_CLASS, mxREAL);
  double* result = mxGetPr(plhs[0]);
  replicate_source source = replicate_source_for(call.n, call.replicates);
  const int64_t block_values = replicate_block_values(threads);
  while (source.left > 0) {
    const replicate_block block = next_replicate_block(&source, block_values);
    const double weights = static_cast<double>(block.count) * call.n;
    run_tasks(threads_for(threads, weights, break_even_weights), (block.count + lanes - 1) / lanes,
              [&](int64_t t) { fill_replicates(call, block, static_cast<int32_t>(t) * lanes, result); });
  }
  release_replicate_source(&source);
}
