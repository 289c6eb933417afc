// y = scaled_invchi2_draw (S2, NU)
//
// One draw from the scaled inverse-chi-square distribution with NU degrees
// of freedom and scale S2, (s2 * nu / 2) / G with G a gamma draw of shape
// nu / 2. An array argument contributes its first element.
#include "../host/host.h"
#include "../host/host_stream.h"
#include "../random_variates/random_variates.h"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const two_scalars args = read_two_scalars(nlhs, nrhs, prhs, "s2", "nu");

  plhs[0] = mxCreateDoubleMatrix(1, 1, mxREAL);
  // Gibbs samplers call this once a sweep: its first value is taken on
  // speculation (host_draws_hold), which saves a third of the call.
  const host_stream_scope streams(true);
  const double numerator = args.first * args.second / 2;
  double g;
  do g = rand_gamma(args.second / 2);
  while (!host_draws_hold());
  mxGetPr(plhs[0])[0] = numerator / g;
}
