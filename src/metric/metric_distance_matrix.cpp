// D = metric_distance_matrix (METRIC, X)
//
// The n x n matrix of scaled distances between the rows of the n x m data
// X. METRIC is a structure: type "metric_euclidean"; components, a cell
// array whose cell i lists columns of X (1-based); lengthScale, one value
// for all components or one per component; deltadist, a logical vector
// marking the components that count mere mismatch. Then
//   D(k, l) = sqrt(sum_i sum_{c in component i} term_i(c)),
// with term_i(c) = (X(k,c) - X(l,c))^2 / l_i^2, or 1 / l_i^2 for a delta
// component where the two values differ (or either is NaN).
//
// The pairs l < k are summed a tile at a time (a block of rows l by a
// block of rows k), the tile's sums kept in cache while every listed
// column adds its terms; tiles go to the worker threads. Each pair's terms
// are added in the same order as one pair at a time would: component by
// component, column by column, each as term + sum from 0.
#include <algorithm>
#include <cmath>

#include "../host/threads.h"
#include "metric_call.h"

namespace {

enum term_kind { squared, squared_unit_scale, mismatch };

// One listed column of X and how its component scores a difference.
struct column_term {
  const double* values;
  term_kind kind;
  double scale2;  // l_i^2
  double weight;  // 1 / l_i^2, a delta component's term for a mismatch
};

// Rows l run down D's columns and X's: a tile's sums for one k are a
// contiguous run of tile_rows, and 32 such runs (16 kB) stay in L1.
constexpr int64_t tile_rows = 64;
constexpr int64_t tile_cols = 32;

// Worker threads: one per 200,000 pair terms (each takes about 0.5 ns in a
// tile; see threads_for).
constexpr double break_even_terms = 200000;

// The listed columns in the order their terms reach every pair.
int64_t list_terms(const metric_call& call, column_term* terms) {
  int64_t count = 0;
  for (int64_t i = 0; i < call.nc; ++i) {
    const double scale = call.length_scales[call.scales > 1 ? i : 0];
    const double scale2 = scale * scale;
    // x / 1 is x exactly (NaN included), so a unit scale skips the division.
    const term_kind kind = call.delta[i] == 1 ? mismatch : scale2 == 1 ? squared_unit_scale : squared;
    const mxArray* cell = mxGetCell(call.components, i);
    const double* columns = mxGetPr(cell);
    for (int64_t j = 0; j < length_of(cell); ++j) {
      const double* values = call.data + (static_cast<int64_t>(columns[j]) - 1) * call.n;
      terms[count++] = column_term{values, kind, scale2, 1 / scale2};
    }
  }
  return count;
}

// Adds one column's terms for the pairs (l0 + m, k), m < rows, to sums[m].
template <term_kind kind>
void add_terms(const column_term& term, double value_k, const double* values_l, int64_t rows,
               double* sums) {
  const double weight = term.weight;
  const double scale2 = term.scale2;
  for (int64_t m = 0; m < rows; ++m) {
    const double t = value_k - values_l[m];
    double value;
    if (kind == mismatch) {
      value = t != 0 ? weight : 0;  // t != 0 also holds for NaN: a mismatch
    } else if (kind == squared_unit_scale) {
      value = t * t;
    } else {
      value = t * t / scale2;
    }
    sums[m] = value + sums[m];
  }
}

template <term_kind kind>
void add_column(const column_term& term, int64_t l0, int64_t rows, int64_t k0, int64_t cols,
                double (*sums)[tile_rows]) {
  for (int64_t c = 0; c < cols; ++c) {
    // A full tile's fixed trip count lets the compiler vectorise the run.
    if (rows == tile_rows) {
      add_terms<kind>(term, term.values[k0 + c], term.values + l0, tile_rows, sums[c]);
    } else {
      add_terms<kind>(term, term.values[k0 + c], term.values + l0, rows, sums[c]);
    }
  }
}

// The tile of rows l0.. by rows k0.. (l0 <= k0): sums, square roots, and
// both triangles written, each a run of contiguous elements at a time.
void fill_tile(const column_term* terms, int64_t term_count, int64_t n, int64_t l0, int64_t k0,
               double* d) {
  const int64_t rows = std::min(tile_rows, n - l0);
  const int64_t cols = std::min(tile_cols, n - k0);
  double sums[tile_cols][tile_rows] = {};
  for (int64_t i = 0; i < term_count; ++i) {
    const column_term& term = terms[i];
    if (term.kind == mismatch) add_column<mismatch>(term, l0, rows, k0, cols, sums);
    else if (term.kind == squared_unit_scale) add_column<squared_unit_scale>(term, l0, rows, k0, cols, sums);
    else add_column<squared>(term, l0, rows, k0, cols, sums);
  }
  // Only pairs l < k are D's; on a tile that straddles the diagonal the
  // rest were summed for nothing and are not written, but the diagonal's
  // zeros are: D is created without a fill.
  for (int64_t c = 0; c < cols; ++c) {
    const int64_t k = k0 + c;
    const int64_t below = std::min(rows, k - l0);
    for (int64_t m = 0; m < below; ++m) {
      sums[c][m] = std::sqrt(sums[c][m]);
      d[l0 + m + k * n] = sums[c][m];
    }
    if (k - l0 < rows) d[k + k * n] = 0;
  }
  for (int64_t m = 0; m < rows; ++m) {
    const int64_t l = l0 + m;
    for (int64_t c = std::max<int64_t>(0, l + 1 - k0); c < cols; ++c) d[k0 + c + l * n] = sums[c][m];
  }
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const metric_call call = read_metric_call(nlhs, nrhs, prhs);
  const int32_t threads = thread_count();

  // Every element is written by exactly one tile, so no zero fill first.
  plhs[0] = mxCreateUninitNumericMatrix(call.n, call.n, mxDOUBLE_CLASS, mxREAL);
  double* d = mxGetPr(plhs[0]);
  int64_t listed = 0;
  for (int64_t i = 0; i < call.nc; ++i) listed += length_of(mxGetCell(call.components, i));
  column_term* terms = static_cast<column_term*>(mxMalloc(sizeof(column_term) * std::max<int64_t>(listed, 1)));
  const int64_t term_count = call.n > 0 ? list_terms(call, terms) : 0;
  // Tiles in row-major order of their (k block, l block) pairs, l0 <= k0.
  const int64_t blocks_l = (call.n + tile_rows - 1) / tile_rows;
  const int64_t blocks_k = (call.n + tile_cols - 1) / tile_cols;
  const int64_t per_block_k = tile_rows / tile_cols;
  const double pairs = 0.5 * static_cast<double>(call.n) * static_cast<double>(call.n);
  run_tasks(threads_for(threads, pairs * static_cast<double>(term_count), break_even_terms),
            blocks_k * blocks_l, [&](int64_t t) {
              const int64_t kb = t / blocks_l;
              const int64_t lb = t % blocks_l;
              if (lb * per_block_k > kb) return;  // wholly below the diagonal
              fill_tile(terms, term_count, call.n, lb * tile_rows, kb * tile_cols, d);
            });
  mxFree(terms);
}
