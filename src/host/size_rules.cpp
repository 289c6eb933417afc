// The size rules that every array plug-in shares: an output shaped by its
// array parameters, by separate M and N, or by a size vector [M N], and
// never more elements than the 32-bit loops of the plug-ins reach.
#include <cmath>

#include "host.h"

namespace {

constexpr const char* msg_size_form = "The size must be M and N, or one vector [M N].";

// 2^31 - 1: the largest count that the 32-bit loops of the plug-ins reach.
constexpr double max_count = 2147483647.0;

bool dims_match(const mxArray* a, double rows, double cols) {
  return static_cast<double>(rows_of(a)) == rows && static_cast<double>(cols_of(a)) == cols;
}

// The classes and shape that make one argument a size vector [M N].
bool is_size_vector(const mxArray* a) {
  // Both counts: a 1 x 1 x 2 array has two elements but is no vector.
  return is_real_number_class(a) && count_of(a) == 2 && mxGetNumberOfElements(a) == 2;
}

// Element i of a size vector, whatever its class (mxGetPr is safe on
// doubles only).
double size_vector_element(const mxArray* a, int i) {
  const void* data = mxGetData(a);
  switch (mxGetClassID(a)) {
    case mxDOUBLE_CLASS: return static_cast<const double*>(data)[i];
    case mxSINGLE_CLASS: return static_cast<const float*>(data)[i];
    case mxLOGICAL_CLASS: return static_cast<const mxLogical*>(data)[i];
    case mxINT8_CLASS: return static_cast<const int8_t*>(data)[i];
    case mxUINT8_CLASS: return static_cast<const uint8_t*>(data)[i];
    case mxINT16_CLASS: return static_cast<const int16_t*>(data)[i];
    case mxUINT16_CLASS: return static_cast<const uint16_t*>(data)[i];
    case mxINT32_CLASS: return static_cast<const int32_t*>(data)[i];
    case mxUINT32_CLASS: return static_cast<const uint32_t*>(data)[i];
    case mxINT64_CLASS: return static_cast<const int64_t*>(data)[i];
    case mxUINT64_CLASS: return static_cast<const uint64_t*>(data)[i];
    default: return NAN;  // not reached: is_size_vector admits no other class
  }
}

// The sized forms shared by every size rule: M and N, already read, and
// truncated toward zero as the separate arguments are; then every array
// parameter must have exactly that shape. The range check comes last so
// that a parameter that disagrees is reported as such.
output_size sized_output(double rows, double cols, const mxArray* const params[], int nparams) {
  for (int k = 0; k < nparams; ++k) {
    if (!is_scalar_shape(params[k]) && !dims_match(params[k], rows, cols))
      fail("sizeMismatch", msg_size_inconsistent);
  }
  return checked_size(rows, cols);
}

output_size size_of_array(const mxArray* a) {
  return checked_size(static_cast<double>(rows_of(a)), static_cast<double>(cols_of(a)));
}

}  // namespace

void require_whole_arguments(int nparams, int nrhs, const mxArray* prhs[], const char* const names[]) {
  if (nrhs == nparams + 1 && !is_size_vector(prhs[nparams])) fail("sizeForm", msg_size_form);
  if (nrhs == nparams + 2) {
    if (!is_scalar_shape(prhs[nparams]) || mxGetNumberOfDimensions(prhs[nparams]) > 2)
      fail_named("notScalar", "M", msg_not_scalar);
    if (!is_scalar_shape(prhs[nparams + 1]) || mxGetNumberOfDimensions(prhs[nparams + 1]) > 2)
      fail_named("notScalar", "N", msg_not_scalar);
  }
  for (int k = 0; k < nparams && k < nrhs; ++k) {
    require_real_double(prhs[k], names[k]);
    if (mxGetNumberOfDimensions(prhs[k]) > 2) fail_named("dims", names[k], msg_too_many_dims);
  }
}

double read_size_arg(const mxArray* a, const char* name) {
  if (!is_real_number_class(a)) fail_named("class", name, " must be a real number.");
  if (mxGetNumberOfElements(a) == 0) fail("emptySize", msg_size_empty);
  return std::trunc(mxGetScalar(a));
}

output_size checked_size(double rows, double cols) {
  // Written so that NaN fails every test: no NaN or out-of-range double is
  // ever converted to an integer.
  const bool each_fits = rows >= 0 && rows <= max_count && cols >= 0 && cols <= max_count;
  if (!each_fits || rows * cols > max_count) fail("sizeRange", msg_size_range);
  return output_size{static_cast<int32_t>(rows), static_cast<int32_t>(cols)};
}

output_size params_size(int nparams, int nrhs, const mxArray* prhs[]) {
  const bool size_vector = nrhs == nparams + 1 && is_size_vector(prhs[nparams]);
  require_input_count(nrhs == nparams || nrhs == nparams + 2 || size_vector);
  // The first array parameter fixes the shape that every other one must have.
  const mxArray* shape = nullptr;
  for (int k = 0; k < nparams; ++k) {
    if (is_scalar_shape(prhs[k])) continue;
    if (shape == nullptr) {
      shape = prhs[k];
    } else if (rows_of(prhs[k]) != rows_of(shape) || cols_of(prhs[k]) != cols_of(shape)) {
      fail("sizeMismatch", msg_size_inconsistent);
    }
  }
  if (nrhs == nparams) return size_of_array(shape != nullptr ? shape : prhs[nparams - 1]);
  if (size_vector) {
    const mxArray* dims = prhs[nparams];
    return sized_output(std::trunc(size_vector_element(dims, 0)),
                        std::trunc(size_vector_element(dims, 1)), prhs, nparams);
  }
  const double rows = read_size_arg(prhs[nparams], "M");
  const double cols = read_size_arg(prhs[nparams + 1], "N");
  return sized_output(rows, cols, prhs, nparams);
}

output_size two_param_size(int nrhs, const mxArray* prhs[]) { return params_size(2, nrhs, prhs); }

output_size one_param_size(int nrhs, const mxArray* prhs[]) { return params_size(1, nrhs, prhs); }
