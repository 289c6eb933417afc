#include "host.h"
#include "interrupt.h"

#include <cmath>
#include <cstdio>

void fail(const char* reason, const char* text) {
  char id[160];
  std::snprintf(id, sizeof id, "samplekit:%s:%s", mexFunctionName(), reason);
  mexErrMsgIdAndTxt(id, "%s", text);
  // Octave raises the error as a C++ exception, and other hosts leave the
  // call too: the error call never returns, although mex.h does not say so.
  __builtin_unreachable();
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

bool is_real_number_class(const mxArray* a) {
  return (mxIsNumeric(a) || mxIsLogical(a)) && !mxIsComplex(a) && !mxIsSparse(a);
}

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
