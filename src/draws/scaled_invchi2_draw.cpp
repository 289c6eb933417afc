// y = scaled_invchi2_draw (S2, NU)
//
// One draw from the scaled inverse-chi-square distribution with NU degrees
// of freedom and scale S2, (s2 * nu / 2) / G with G a gamma draw of shape
// nu / 2. An array argument contributes its first element.
#include "../host/host.h"
#include "../random_variates/random_variates.h"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  // Unlike the array form, the input count is checked before the output count.
  require_input_count(nrhs == 2);
  require_outputs_at_most(nlhs, 1);
  const double s2 = read_scalar_param(prhs[0], "s2");
  const double nu = read_scalar_param(prhs[1], "nu");

  plhs[0] = mxCreateDoubleMatrix(1, 1, mxREAL);
  const double numerator = s2 * nu / 2;
  mxGetPr(plhs[0])[0] = numerator / rand_gamma(nu / 2);
}
