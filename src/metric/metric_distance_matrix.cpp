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
#include <cmath>
#include <cstring>

#include "../host/host.h"

namespace {

constexpr const char* msg_bad_cell = "Each cell of metric.components must hold a real double vector.";
constexpr const char* msg_bad_column =
    "Column numbers in metric.components must lie between 1 and the number of columns of X.";

struct metric_call {
  const mxArray* components;
  const double* length_scales;
  const mxLogical* delta;
  const double* data;
  int64_t nc;
  int64_t scales;  // 1: one length-scale for all components
  int64_t n;
};

// Length of a vector-shaped value: the larger of its first two dimensions,
// or 0 when it holds no element.
int64_t length_of(const mxArray* a) {
  return count_of(a) == 0 ? 0 : (rows_of(a) > cols_of(a) ? rows_of(a) : cols_of(a));
}

bool has_a_unit_dimension(const mxArray* a) { return rows_of(a) == 1 || cols_of(a) == 1; }

const mxArray* field(const mxArray* metric, const char* name, const char* missing) {
  const mxArray* value = mxGetField(metric, 0, name);
  if (value == nullptr) fail("missingField", missing);
  return value;
}

void check_type(const mxArray* metric) {
  // A 0 x 0 struct makes the host's field accessor read past its end.
  if (!mxIsStruct(metric) || mxGetNumberOfElements(metric) == 0)
    fail("missingField", "Could not get metric.type");
  const mxArray* type = field(metric, "type", "Could not get metric.type");
  if (!mxIsChar(type)) fail("typeClass", "metric.type must be a string.");
  char* text = mxArrayToString(type);
  const bool euclidean = text != nullptr && std::strcmp(text, "metric_euclidean") == 0;
  mxFree(text);
  if (!euclidean) fail("wrongType", "Wrong type of metric.");
}

// Every listed column, truncated toward zero, must be a column of X.
void check_components(const mxArray* components, int64_t nc, int64_t columns) {
  for (int64_t i = 0; i < nc; ++i) {
    const mxArray* cell = mxGetCell(components, i);
    if (cell == nullptr || !is_real_double(cell)) fail("componentClass", msg_bad_cell);
    const double* numbers = mxGetPr(cell);
    for (int64_t j = 0; j < length_of(cell); ++j) {
      const double c = std::trunc(numbers[j]);
      if (!(c >= 1 && c <= static_cast<double>(columns))) fail("columnRange", msg_bad_column);
    }
  }
}

metric_call read_call(int nlhs, int nrhs, const mxArray* prhs[]) {
  if (nlhs != 1) fail("outputCount", "Wrong number of output arguments.");
  require_input_count(nrhs == 2);
  const mxArray* metric = prhs[0];
  const mxArray* x = prhs[1];
  check_type(metric);
  const mxArray* scales = field(metric, "lengthScale", "Could not get metric.lengthScale");
  if (!has_a_unit_dimension(scales) || !is_real_double(scales))
    fail("lengthScaleShape", "metric.lengthScale must be a scalar or a vector.");
  const mxArray* components = field(metric, "components", "Could not get metric.components");
  // Octave 7 leaks the dimensions it caches for a cell argument when a
  // later mxGetCell converts it (16 bytes a call); converting it first,
  // by reading a cell, avoids that.
  if (mxIsCell(components) && mxGetNumberOfElements(components) > 0) mxGetCell(components, 0);
  if (!mxIsCell(components) || !has_a_unit_dimension(components))
    fail("componentsShape", "metric.components must be a one dimensional cell array.");
  const int64_t nc = length_of(components);
  const int64_t scale_count = length_of(scales);
  if (scale_count != 1 && scale_count != nc)
    fail("lengthScaleLength",
         "metric.lengthScale must be scalar or its lenght must be the same as the number of components.");
  const mxArray* delta = field(metric, "deltadist", "Could not get metric.deltadist");
  if (!has_a_unit_dimension(delta) || !mxIsLogical(delta))
    fail("deltadistShape", "metric.deltadist must be a logical vector.");
  if (length_of(delta) != nc)
    fail("deltadistLength", "metric.logical must be of the same length as the number of components.");
  if (count_of(x) > 0) require_real_double(x, "X");
  check_components(components, nc, cols_of(x));

  return metric_call{components, mxGetPr(scales), mxGetLogicals(delta),
                     count_of(x) > 0 ? mxGetPr(x) : nullptr, nc, scale_count, rows_of(x)};
}

// Adds one column's terms to the upper triangle of d (row l < column k).
void accumulate_column(const metric_call& call, int64_t column, double scale2, bool is_delta,
                       double* d) {
  const int64_t n = call.n;
  const double* values = call.data + column * n;
  for (int64_t k = 0; k < n; ++k) {
    for (int64_t l = 0; l < k; ++l) {
      const double t = values[k] - values[l];
      // t != 0 also holds for NaN: a NaN difference counts as a mismatch.
      const double term = is_delta ? (t != 0 ? 1 / scale2 : 0) : t * t / scale2;
      d[l + k * n] = term + d[l + k * n];
    }
  }
}

// Square roots once per pair, mirrored, so D is exactly symmetric with a
// zero diagonal.
void finish_distances(int64_t n, double* d) {
  for (int64_t k = 0; k < n; ++k) {
    for (int64_t l = 0; l < k; ++l) {
      const double v = std::sqrt(d[l + k * n]);
      d[l + k * n] = v;
      d[k + l * n] = v;
    }
    d[k + k * n] = 0;
  }
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const metric_call call = read_call(nlhs, nrhs, prhs);

  plhs[0] = mxCreateDoubleMatrix(call.n, call.n, mxREAL);
  double* d = mxGetPr(plhs[0]);
  for (int64_t i = 0; i < call.nc; ++i) {
    const double scale = call.length_scales[call.scales > 1 ? i : 0];
    const double scale2 = scale * scale;
    const mxArray* cell = mxGetCell(call.components, i);
    const double* columns = mxGetPr(cell);
    for (int64_t j = 0; j < length_of(cell); ++j)
      accumulate_column(call, static_cast<int64_t>(columns[j]) - 1, scale2, call.delta[i] == 1, d);
  }
  finish_distances(call.n, d);
}
