// y = scaled_invchi2_draw (S2, NU)
//
// One draw from the scaled inverse-chi-square distribution with NU degrees
// of freedom and scale S2, (s2 * nu / 2) / G with G a gamma draw of shape
// nu / 2. An array argument contributes its first element.
#include "../host/host.h"
#include "../random_variates/random_variates.h"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const two_scalars args = read_two_scalars(nlhs, nrhs, prhs, "s2", "nu");

  plhs[0] = mxCreateDoubleMatrix(1, 1, mxREAL);
  const host_stream_scope streams;
  const double numerator = args.first * args.second / 2;
  mxGetPr(plhs[0])[0] = numerator / rand_gamma(args.second / 2);
}
