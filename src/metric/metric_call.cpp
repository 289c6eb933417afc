#include "metric_call.h"

#include <cmath>
#include <cstring>

int64_t length_of(const mxArray* a) {
  return count_of(a) == 0 ? 0 : (rows_of(a) > cols_of(a) ? rows_of(a) : cols_of(a));
}

namespace {

constexpr const char* msg_bad_cell = "Each cell of metric.components must hold a real double vector.";
constexpr const char* msg_bad_column =
    "Column numbers in metric.components must lie between 1 and the number of columns of X.";

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

}  // namespace

metric_call read_metric_call(int nlhs, int nrhs, const mxArray* prhs[]) {
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
