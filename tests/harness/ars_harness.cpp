// Test-only module: the adaptive rejection sampler with a log-density of the
// test's choosing.
//   x = ars_harness (F, x0, w)            F a function handle, [h, d] = F (x)
//   x = ars_harness ("normal", x0, w, k)  k draws for h(x) = -x^2 / 2
// Never installed: the suite builds it into build*/tests/.
#include "../../src/ars/ars.h"
#include "../../src/host/host.h"

namespace {

double standard_normal(double* derivative, void*, double x) {
  *derivative = -x;
  return -x * x / 2;
}

// Calls the test's function handle; it may record where it was evaluated.
double octave_density(double* derivative, void* params, double x) {
  mxArray* in[2] = {static_cast<mxArray*>(params), mxCreateDoubleScalar(x)};
  mxArray* out[2] = {nullptr, nullptr};
  mexCallMATLAB(2, out, 2, in, "feval");
  const double h = mxGetScalar(out[0]);
  *derivative = mxGetScalar(out[1]);
  mxDestroyArray(in[1]);
  mxDestroyArray(out[0]);
  mxDestroyArray(out[1]);
  return h;
}

}  // namespace

void mexFunction(int, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  if (nrhs < 3) mexErrMsgTxt("ars_harness: (F, x0, w) or (\"normal\", x0, w, k)");
  const double x0 = mxGetScalar(prhs[1]);
  const double width = mxGetScalar(prhs[2]);
  if (mxIsChar(prhs[0])) {
    const int32_t count = nrhs > 3 ? static_cast<int32_t>(mxGetScalar(prhs[3])) : 1;
    plhs[0] = mxCreateDoubleMatrix(count, 1, mxREAL);
    double* draws = mxGetPr(plhs[0]);
    for (int32_t i = 0; i < count; ++i) draws[i] = ars(standard_normal, nullptr, x0, width);
  } else {
    mxArray* handle = mxDuplicateArray(prhs[0]);
    plhs[0] = mxCreateDoubleScalar(ars(octave_density, handle, x0, width));
    mxDestroyArray(handle);
  }
}
