#include "resampling.h"

#include <cmath>

namespace {

constexpr const char* msg_m_not_scalar = "M must be a scalar.";
constexpr const char* msg_n_not_scalar = "N must be a scalar.";
constexpr const char* msg_w_dims = "W must have at most two dimensions.";
constexpr const char* msg_w_empty = "W must not be empty.";
constexpr const char* msg_bad_weights =
    "W must hold finite non-negative weights with a positive sum.";

// The shape test comes first; the original resamplers give the same
// message for M and N alike.
double size_argument(const mxArray* a, const char* name, const char* not_scalar) {
  if (!is_scalar_shape(a)) fail("notScalar", not_scalar);
  return read_size_arg(a, name);
}

output_size resampling_size(int nrhs, const mxArray* prhs[], argument_rules rules) {
  if (nrhs == 1)
    return checked_size(static_cast<double>(rows_of(prhs[0])), static_cast<double>(cols_of(prhs[0])));
  const double rows = size_argument(prhs[1], "M", msg_m_not_scalar);
  const char* n_not_scalar = rules == argument_rules::whole ? msg_n_not_scalar : msg_m_not_scalar;
  const double cols = nrhs == 3 ? size_argument(prhs[2], "N", n_not_scalar) : rows;
  return checked_size(rows, cols);
}

// Weights outside this range give indices of zero weights, zero indices or,
// in the copy stages, more copies than the output holds.
double checked_weight_total(const double* weights, int32_t n) {
  double total = 0;
  for (int32_t i = 0; i < n; ++i) {
    if (!(weights[i] >= 0) || std::isinf(weights[i])) fail("weights", msg_bad_weights);
    total = weights[i] + total;
  }
  if (!(total > 0)) fail("weights", msg_bad_weights);
  return total;
}

double scaled_total(const double* weights, int32_t n, double scale) {
  double total = 0;
  for (int32_t i = 0; i < n; ++i) total = weights[i] * scale + total;
  return total;
}

}  // namespace

resampling_call read_resampling_call(int nlhs, int nrhs, const mxArray* prhs[], argument_rules rules) {
  require_outputs_at_most(nlhs, 1);
  require_input_count(nrhs >= 1 && nrhs <= 3);
  const mxArray* w = prhs[0];
  resampling_call call{};
  call.size = resampling_size(nrhs, prhs, rules);
  call.count = call.size.rows * call.size.cols;
  require_real_double(w, "W");
  const bool whole = rules == argument_rules::whole;
  if (whole && mxGetNumberOfDimensions(w) > 2) fail("dims", msg_w_dims);
  if (count_of(w) == 0) fail("emptyWeights", msg_w_empty);
  if (count_of(w) > INT32_MAX) fail("sizeRange", msg_size_range);
  call.weights = mxGetPr(w);
  call.n = static_cast<int32_t>(count_of(w));
  call.total = checked_weight_total(call.weights, call.n);
  call.scale = 1;
  // Finite weights whose plain sum overflows: scaled, where that is taken.
  if (std::isinf(call.total)) {
    if (!whole) fail("weights", msg_bad_weights);
    call.scale = 0x1p-32;
    call.total = scaled_total(call.weights, call.n, call.scale);
  }
  return call;
}

double last_positive_index(const double* weights, int32_t n) {
  int32_t i = n - 1;
  while (i > 0 && !(weights[i] > 0)) --i;
  return i + 1;
}

index_cursor cursor_over(mxArray* output) {
  double* first = mxGetPr(output);
  return index_cursor{first, first + mxGetNumberOfElements(output)};
}

void write_batch(index_cursor* cursor, int32_t first, const int64_t* counts, int32_t size,
                 int64_t batch_copies) {
  if (cursor->end - cursor->next < batch_copies + 4) {
    for (int32_t k = 0; k < size; ++k)
      write_copies(cursor, first + k + 1, static_cast<double>(counts[k]));
    return;
  }
  double* next = cursor->next;
  for (int32_t k = 0; k < size; ++k) {
    const double index = first + k + 1;
    for (int j = 0; j < 4; ++j) next[j] = index;
    for (int64_t j = 4; j < counts[k]; ++j) next[j] = index;
    next += counts[k];
  }
  cursor->next = next;
}

void systematic_sweep(const resampling_call& call, index_cursor* cursor, double carry) {
  // The batch's loads of weights sit at the same offsets in their pages as
  // the slots being written (both arrays page-aligned): without the batch
  // they would wait behind those stores.
  constexpr int32_t batch = copy_batch;
  int64_t counts[batch];
  for (int32_t first = 0; first < call.n; first += batch) {
    leave_if_interrupted();
    const int32_t size = call.n - first < batch ? call.n - first : batch;
    const double* weights = call.weights + first;
    int64_t batch_copies = 0;
    for (int32_t k = 0; k < size; ++k) {
      double fraction = ((weights[k] * call.scale) / call.total) * call.count;
      // Integer truncation and a 0/1 flag rather than branches, which random
      // weights mispredict. fraction lies in [0, M * N], where the cast is
      // trunc, and x - 0 is x: the values are those of subtracting only when
      // a whole copy or a carry is there.
      const double whole = static_cast<double>(static_cast<int64_t>(fraction));
      fraction = fraction - whole;
      carry = fraction + carry;
      const double extra = flag_at_least(carry, 1);
      carry = carry - extra;
      counts[k] = static_cast<int64_t>(whole + extra);
      batch_copies += counts[k];
    }
    write_batch(cursor, first, counts, size, batch_copies);
  }
  // Rounding in the fractional parts can leave the carry short at the end.
  fill_remaining(cursor, last_positive_index(call.weights, call.n));
}

void fill_remaining(index_cursor* cursor, double index) {
  while (cursor->next != cursor->end) *cursor->next++ = index;
}
