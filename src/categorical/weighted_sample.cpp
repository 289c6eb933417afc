// IDX = weighted_sample (W, K)
// IDX = weighted_sample (W, K, M)
//
// Weighted sampling without replacement: K distinct indices into the N
// weights of W in the order drawn, each draw taking an index not drawn yet
// with probability proportional to its weight (successive sampling); a
// 1 x K row, or K x M with one sample per column.
//
// Each sample takes N host uniforms u_i, one per element of W in storage
// order (for a zero weight and for K = 0 too); element i with w_i > 0 gets
// the key -log (u_i) / w_i, an exponential variate of rate w_i, and the
// sample is the K smallest keys in increasing order, ties to the smaller
// index. Of independent exponential clocks of rates w_i the first to ring
// is clock i with probability w_i / sum (w), and the others then ring as
// if started afresh, so the order in which they ring is successive
// sampling's (Efraimidis and Spirakis 2006, in exponential form).
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "../host/host.h"
#include "../host/interrupt.h"
#include "count_arg.h"

namespace {

constexpr const char* msg_shape = "w must be a vector.";
constexpr const char* msg_weights = "w must hold finite non-negative weights.";
// Uniforms per host call: whole samples, about 1 MB of them.
constexpr int64_t block_values = 1 << 17;

struct sample_call {
  const double* w;
  int64_t n;
  int64_t k;
  int64_t samples;
  int64_t positive;  // weights above zero
  output_size size;  // 1 x K, or K x M
};

int64_t positive_weights(const double* w, int64_t n) {
  int64_t positive = 0;
  for (int64_t i = 0; i < n; ++i) {
    poll_interrupt(i);
    if (!(w[i] >= 0) || std::isinf(w[i])) fail("weights", msg_weights);
    positive += w[i] > 0;
  }
  return positive;
}

sample_call read_call(int nlhs, int nrhs, const mxArray* prhs[]) {
  require_outputs_at_most(nlhs, 1);
  require_input_count(nrhs == 2 || nrhs == 3);
  const mxArray* w = prhs[0];
  require_real_double(w, "w");
  if (mxGetNumberOfDimensions(w) > 2 || (rows_of(w) > 1 && cols_of(w) > 1)) fail("shape", msg_shape);
  if (count_of(w) > INT32_MAX) fail("sizeRange", msg_size_range);
  const double k = read_count(prhs[1], "k");
  const double samples = nrhs == 3 ? read_count(prhs[2], "m") : 1;
  sample_call call{mxGetPr(w), count_of(w), 0, 0, positive_weights(mxGetPr(w), count_of(w)), {}};
  if (k > static_cast<double>(call.positive)) {
    char text[160];
    std::snprintf(text, sizeof text, "k (%.17g) exceeds the number of positive weights (%lld).", k,
                  static_cast<long long>(call.positive));
    fail("tooFewWeights", text);
  }
  call.k = static_cast<int64_t>(k);
  call.size = nrhs == 3 ? checked_size(k, samples) : checked_size(1, k);
  call.samples = static_cast<int64_t>(samples);
  return call;
}

struct keyed {
  double key;
  int64_t index;  // 0-based
};

// The order of the sample: by key, equal keys by index. The host layer
// hands over uniforms in [0, 1) only, so keys lie in [0, Inf], never NaN:
// this is a strict weak order.
bool before(const keyed& a, const keyed& b) {
  return a.key < b.key || (a.key == b.key && a.index < b.index);
}

// The K smallest keys of one sample (u[0..n) its uniforms), as 1-based
// indices in increasing order into out[0..k). Candidates gather in
// `buffer` (room for `capacity` >= k, more than k unless every positive
// weight fits); when it is full, a selection keeps its k smallest, and the
// largest of those bounds every later candidate. Each selection takes
// O(capacity) and frees capacity - k places, so the sample takes O(N +
// K log K) when capacity is 2K.
void select_sample(const sample_call& c, const double* u, keyed* buffer, int64_t capacity,
                   double* out) {
  const int64_t k = c.k;
  int64_t held = 0;
  keyed bound{INFINITY, INT64_MAX};  // no selection yet: every key is a candidate
  for (int64_t i = 0; i < c.n; ++i) {
    poll_interrupt(i);
    if (!(c.w[i] > 0)) continue;
    const keyed candidate{-std::log(u[i]) / c.w[i], i};
    if (!before(candidate, bound)) continue;
    if (held == capacity) {
      std::nth_element(buffer, buffer + k - 1, buffer + held, before);
      held = k;
      bound = buffer[k - 1];
      if (!before(candidate, bound)) continue;
    }
    buffer[held++] = candidate;
  }
  if (held > k) std::nth_element(buffer, buffer + k - 1, buffer + held, before);
  std::sort(buffer, buffer + k, before);
  for (int64_t j = 0; j < k; ++j) out[j] = static_cast<double>(buffer[j].index + 1);
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const sample_call call = read_call(nlhs, nrhs, prhs);

  plhs[0] = mxCreateUninitNumericMatrix(call.size.rows, call.size.cols, mxDOUBLE_CLASS, mxREAL);
  double* out = mxGetPr(plhs[0]);
  const int64_t samples = call.samples;
  if (call.n == 0 || samples == 0) return;
  // Where every positive weight fits, no selection is needed before the end.
  const int64_t capacity = call.positive <= 2 * call.k ? call.positive : 2 * call.k;
  keyed* buffer = call.k > 0 ? static_cast<keyed*>(mxMalloc(sizeof(keyed) * capacity)) : nullptr;
  const int64_t per_block = std::max<int64_t>(1, block_values / call.n);
  for (int64_t first = 0; first < samples; first += per_block) {
    const int64_t count = std::min(per_block, samples - first);
    mxArray* block = host_draw_array("rand", output_size{static_cast<int32_t>(call.n),
                                                         static_cast<int32_t>(count)});
    const double* u = mxGetPr(block);
    for (int64_t s = 0; s < count && call.k > 0; ++s)
      select_sample(call, u + s * call.n, buffer, capacity, out + (first + s) * call.k);
    mxDestroyArray(block);
  }
  if (buffer != nullptr) mxFree(buffer);
}
