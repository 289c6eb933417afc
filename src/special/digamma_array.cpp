// Y = digamma_array (X)
//
// The digamma function psi of every element of the real double array X,
// in a result of X's rows and columns (further dimensions are dropped).
#include "../host/host.h"
#include "digamma.h"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  require_input_count(nrhs == 1);
  require_outputs_at_most(nlhs, 1);
  const mxArray* x = prhs[0];
  const int64_t count = count_of(x);
  if (count > 0) require_real_double(x, "X");

  plhs[0] = mxCreateDoubleMatrix(rows_of(x), cols_of(x), mxREAL);
  if (count == 0) return;
  const double* values = mxGetPr(x);
  double* result = mxGetPr(plhs[0]);
  for (int64_t i = 0; i < count; ++i) result[i] = digamma(values[i]);
}
