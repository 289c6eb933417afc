#include "host.h"
#include "interrupt.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// 2^31 - 1: the largest count that the 32-bit loops of the plug-ins reach.
constexpr double max_count = 2147483647.0;

bool is_real_number_class(const mxArray* a) {
  return (mxIsNumeric(a) || mxIsLogical(a)) && !mxIsComplex(a) && !mxIsSparse(a);
}

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

void fail(const char* reason, const char* text) {
  char id[160];
  std::snprintf(id, sizeof id, "samplekit:%s:%s", mexFunctionName(), reason);
  mexErrMsgIdAndTxt(id, "%s", text);
  std::abort();  // not reached: the host's error call does not return
}

void fail_named(const char* reason, const char* name, const char* what) {
  char text[200];
  std::snprintf(text, sizeof text, "%s%s", name, what);
  fail(reason, text);
}

void require_outputs_at_most(int nlhs, int most) {
  if (nlhs > most) fail("outputCount", msg_too_many_outputs);
}

void require_input_count(bool accepted) {
  if (!accepted) fail("inputCount", msg_wrong_input_count);
}

int64_t rows_of(const mxArray* a) { return static_cast<int64_t>(mxGetDimensions(a)[0]); }
int64_t cols_of(const mxArray* a) { return static_cast<int64_t>(mxGetDimensions(a)[1]); }
int64_t count_of(const mxArray* a) { return rows_of(a) * cols_of(a); }

bool is_scalar_shape(const mxArray* a) { return rows_of(a) <= 1 && cols_of(a) <= 1; }

bool is_real_double(const mxArray* a) {
  return mxIsDouble(a) && !mxIsComplex(a) && !mxIsSparse(a);
}

void require_real_double(const mxArray* a, const char* name) {
  if (!is_real_double(a)) fail_named("class", name, " must be a real double array.");
}

double read_scalar_param(const mxArray* a, const char* name) {
  if (!is_real_number_class(a)) fail_named("class", name, " must be a real number.");
  // Octave's mxGetScalar raises a host-internal error on an empty array.
  if (mxGetNumberOfElements(a) == 0) fail_named("empty", name, " must not be empty.");
  return mxGetScalar(a);
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

param_source read_param(const mxArray* a, const char* name, int32_t count) {
  param_source p{nullptr, 0.0};
  if (count == 0) return p;  // an empty output reads nothing, whatever is passed
  if (!is_scalar_shape(a)) {
    require_real_double(a, name);
    p.values = mxGetPr(a);
  } else {
    p.scalar = read_scalar_param(a, name);
  }
  return p;
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

two_param_call read_two_param_call(int nlhs, int nrhs, const mxArray* prhs[],
                                   const char* first, const char* second) {
  require_outputs_at_most(nlhs, 1);
  two_param_call call{};
  call.size = two_param_size(nrhs, prhs);
  call.count = call.size.rows * call.size.cols;
  call.first = read_param(prhs[0], first, call.count);
  call.second = read_param(prhs[1], second, call.count);
  return call;
}

params_call read_params_call(int nlhs, int nrhs, const mxArray* prhs[], int nparams,
                             const char* const names[]) {
  require_outputs_at_most(nlhs, 1);
  params_call call{};
  call.size = params_size(nparams, nrhs, prhs);
  call.count = call.size.rows * call.size.cols;
  for (int k = 0; k < nparams; ++k) call.params[k] = read_param(prhs[k], names[k], call.count);
  return call;
}

one_param_call read_one_param_call(int nlhs, int nrhs, const mxArray* prhs[], const char* name) {
  require_outputs_at_most(nlhs, 1);
  one_param_call call{};
  call.size = one_param_size(nrhs, prhs);
  call.count = call.size.rows * call.size.cols;
  call.param = read_param(prhs[0], name, call.count);
  return call;
}

two_scalars read_two_scalars(int nlhs, int nrhs, const mxArray* prhs[], const char* first,
                             const char* second) {
  require_input_count(nrhs == 2);
  require_outputs_at_most(nlhs, 1);
  two_scalars values{};
  values.first = read_scalar_param(prhs[0], first);
  values.second = read_scalar_param(prhs[1], second);
  return values;
}

void fail_host_result(const char* function) {
  char text[120];
  std::snprintf(text, sizeof text, "The host's %s returned an unexpected result.", function);
  fail("hostResult", text);
}

namespace {

mxArray* call_with_text(const char* function, const char* text) {
  mxArray* arg = mxCreateString(text);
  mxArray* result = nullptr;
  mexCallMATLAB(1, &result, 1, &arg, function);
  mxDestroyArray(arg);
  return result;
}

}  // namespace

bool is_host_builtin(const char* function) {
  mxArray* kind = call_with_text("exist", function);
  const bool builtin = kind != nullptr && is_real_double(kind) && mxGetNumberOfElements(kind) == 1 &&
                       mxGetScalar(kind) == 5;
  if (kind != nullptr) mxDestroyArray(kind);
  return builtin;
}

double old_generator_seed(const char* function) {
  mxArray* seed = call_with_text(function, "seed");
  const double value = seed != nullptr && is_real_double(seed) && mxGetNumberOfElements(seed) == 1
                           ? mxGetScalar(seed) : NAN;
  if (seed != nullptr) mxDestroyArray(seed);
  return value;
}

#ifndef HAVE_OCTAVE
// Other hosts offer the MEX interface no interrupt flag: a call runs to its
// end. Under Octave, octave_host.cpp reads Octave's own.
bool interrupt_pending() { return false; }
void leave_if_interrupted() {}
#endif
