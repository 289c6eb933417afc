// Test-only module: reaches the random variate library's routines one by one.
//   v = rv_harness ("gamma", a)   v = rv_harness ("beta", a, b)
//   v = rv_harness ("int", n)     v = rv_harness ("pickd", w)   v = rv_harness ("pickf", single (w))
//   v = rv_harness (NAME) for "uniform", "uniopen", "gaussian", "exp", "cauchy"
// Never installed: the suite builds it into build*/tests/.
#include <cstring>

#include "../../src/host/host.h"
#include "../../src/random_variates/random_variates.h"

namespace {

double arg(int nrhs, const mxArray* prhs[], int k) {
  if (k >= nrhs) mexErrMsgTxt("rv_harness: missing argument");
  return mxGetScalar(prhs[k]);
}

double call_routine(const char* routine, int nrhs, const mxArray* prhs[]) {
  if (!std::strcmp(routine, "uniform")) return rand_uniform();
  if (!std::strcmp(routine, "uniopen")) return rand_uniopen();
  if (!std::strcmp(routine, "gaussian")) return rand_gaussian();
  if (!std::strcmp(routine, "exp")) return rand_exp();
  if (!std::strcmp(routine, "cauchy")) return rand_cauchy();
  if (!std::strcmp(routine, "gamma")) return rand_gamma(arg(nrhs, prhs, 1));
  if (!std::strcmp(routine, "beta")) return rand_beta(arg(nrhs, prhs, 1), arg(nrhs, prhs, 2));
  if (!std::strcmp(routine, "int")) return rand_int(static_cast<int>(arg(nrhs, prhs, 1)));
  if (nrhs > 1 && !std::strcmp(routine, "pickd") && mxIsDouble(prhs[1]))
    return rand_pickd(mxGetPr(prhs[1]), static_cast<int>(mxGetNumberOfElements(prhs[1])));
  if (nrhs > 1 && !std::strcmp(routine, "pickf") && mxIsSingle(prhs[1]))
    return rand_pickf(static_cast<const float*>(mxGetData(prhs[1])),
                      static_cast<int>(mxGetNumberOfElements(prhs[1])));
  mexErrMsgTxt("rv_harness: unknown routine or wrong argument");
  return 0;
}

}  // namespace

void mexFunction(int, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  if (nrhs < 1 || !mxIsChar(prhs[0])) mexErrMsgTxt("rv_harness: name the routine");
  char routine[16];
  mxGetString(prhs[0], routine, sizeof routine);
  plhs[0] = mxCreateDoubleScalar(call_routine(routine, nrhs, prhs));
}
