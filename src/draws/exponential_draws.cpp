// Y = exponential_draws (MU)
// Y = exponential_draws (MU, M, N)
// Y = exponential_draws (MU, [M N])
//
// Exponential draws with mean MU (a scalar or per-element values) by
// inversion: each element is -mu * log(u) for its own uniform u, all taken
// from one host rand (M, N) call and transformed in place.
#include <cmath>

#include "../host/host.h"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const one_param_call call = read_one_param_call(nlhs, nrhs, prhs, "mu");

  plhs[0] = host_draw_array("rand", call.size);
  double* draws = mxGetPr(plhs[0]);
  const param_source& mu = call.param;
  if (mu.values != nullptr) {
    for (int32_t i = 0; i < call.count; ++i) draws[i] = (-mu.values[i]) * std::log(draws[i]);
  } else if (mu.scalar != 1) {
    for (int32_t i = 0; i < call.count; ++i) draws[i] = (-mu.scalar) * std::log(draws[i]);
  } else {
    // Unit mean: no product, the same values as the general formula.
    for (int32_t i = 0; i < call.count; ++i) draws[i] = -std::log(draws[i]);
  }
}
