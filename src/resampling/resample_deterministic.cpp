// I = resample_deterministic (W [, M [, N]])
//
// Deterministic resampling: index i gets floor(e_i) copies of its expected
// count e_i = W(i) / sum (W) * M * N, and the fractional parts gather in a
// carry that starts at 0.5; each time it reaches 1 the weight that made it
// do so gets one more copy. Systematic resampling with the offset fixed at
// 0.5: no randomness, and the output never decreases.
#include "resampling.h"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const resampling_call call = read_resampling_call(nlhs, nrhs, prhs);

  // Every element is written below: the output is not cleared first, which
  // for a large one would take a pass that Ctrl-C cannot stop.
  plhs[0] = mxCreateUninitNumericMatrix(call.size.rows, call.size.cols, mxDOUBLE_CLASS, mxREAL);
  index_cursor cursor = cursor_over(plhs[0]);

  systematic_sweep(call, &cursor, 0.5);
}
