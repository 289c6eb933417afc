// Y = scaled_invchi2_draws (S2, NU)
// Y = scaled_invchi2_draws (S2, NU, M, N)
//
// Draws from the scaled inverse-chi-square distribution with NU degrees of
// freedom and scale S2: each element is (s2 * nu / 2) / G with G a gamma
// draw of shape nu / 2. S2 and NU are scalars or arrays of per-element
// values; the elements are drawn in storage order.
#include "../host/host.h"
#include "../random_variates/random_variates.h"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  require_outputs_at_most(nlhs, 1);
  require_input_count(nrhs == 2 || nrhs == 4);
  const output_size size = two_param_size(nrhs, prhs);
  const int32_t count = size.rows * size.cols;
  const param_source s2 = read_param(prhs[0], "s2", count);
  const param_source nu = read_param(prhs[1], "nu", count);

  plhs[0] = mxCreateDoubleMatrix(size.rows, size.cols, mxREAL);
  double* draws = mxGetPr(plhs[0]);
  for (int32_t i = 0; i < count; ++i) {
    const double dof = param_at(nu, i);
    // The numerator is formed before the gamma draw and divided by it.
    const double numerator = param_at(s2, i) * dof / 2;
    draws[i] = numerator / rand_gamma(dof / 2);
  }
}
