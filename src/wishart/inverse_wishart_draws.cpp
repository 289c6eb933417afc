// W = inverse_wishart_draws (PSI, NU)
// W = inverse_wishart_draws (PSI, NU, N)
// [W, C] = inverse_wishart_draws (...)
//
// N draws (default 1) from the inverse-Wishart distribution with the p x p
// scale PSI and NU > p - 1 degrees of freedom (inv (W) is Wishart with
// scale inv (PSI)), E[W] = PSI / (NU - p - 1) for NU > p + 1, as the
// p x p x N array W, and their upper Cholesky factors C (W = C' * C).
// C = G \ R with R = chol (PSI) and G upper triangular, G(i,i)^2
// chi-square with NU - p + i degrees of freedom, the rest of G standard
// normal (wishart.h, wishart_run.cpp): no inverse is formed.
#include "wishart.h"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const wishart_call call = read_wishart_call(nlhs, nrhs, prhs, "psi");
  wishart_run(call, wishart_kind::inverse, "psi", plhs);
}
