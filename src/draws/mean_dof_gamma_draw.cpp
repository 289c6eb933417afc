// y = mean_dof_gamma_draw (S, NU)
//
// One gamma draw by mean S and degrees of freedom NU, ((G * 2) * s) / nu
// with G a gamma draw of shape nu / 2. An array argument contributes its
// first element.
#include "../host/host.h"
#include "../random_variates/random_variates.h"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const two_scalars args = read_two_scalars(nlhs, nrhs, prhs, "s", "nu");

  plhs[0] = mxCreateDoubleMatrix(1, 1, mxREAL);
  const host_stream_scope streams;
  mxGetPr(plhs[0])[0] = ((rand_gamma(args.second / 2) * 2) * args.first) / args.second;
}
