// W = wishart_draws (SIGMA, NU)
// W = wishart_draws (SIGMA, NU, N)
// [W, C] = wishart_draws (...)
//
// N draws (default 1) from the Wishart distribution with the p x p scale
// SIGMA and NU > p - 1 degrees of freedom, E[W] = NU * SIGMA, as the
// p x p x N array W, and their upper Cholesky factors C (W = C' * C).
// Bartlett's decomposition: C = G * R with R = chol (SIGMA) and G upper
// triangular, G(i,i)^2 chi-square with NU - i + 1 degrees of freedom, the
// rest of G standard normal (wishart.h, wishart_run.cpp).
#include "wishart.h"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const wishart_call call = read_wishart_call(nlhs, nrhs, prhs, "sigma");
  wishart_run(call, wishart_kind::direct, "sigma", plhs);
}
