// I = resample_systematic (W [, M [, N]])
//
// Systematic resampling: one host uniform U for the whole call; slot k
// (0-based, storage order) takes the index of the first weight whose
// cumulative expected count e_1 + ... + e_i reaches k + U, e_i = W(i) /
// sum (W) * M * N. The walk is resample_deterministic's with the carry
// starting at 1 - U instead of 0.5, so U = 0.5 gives its very bits. The
// uniform comes from one host rand (1, 1) call, made also for an empty
// output; a U outside [0, 1) is the host's fault and is refused.
#include "resampling.h"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const resampling_call call = read_resampling_call(nlhs, nrhs, prhs, argument_rules::whole);

  mxArray* drawn = host_draw_array("rand", output_size{1, 1});
  const double u = mxGetScalar(drawn);
  mxDestroyArray(drawn);
  if (!(u >= 0 && u < 1)) fail_host_result("rand");

  // Every element is written below: the output is not cleared first, which
  // for a large one would take a pass that Ctrl-C cannot stop.
  plhs[0] = mxCreateUninitNumericMatrix(call.size.rows, call.size.cols, mxDOUBLE_CLASS, mxREAL);
  index_cursor cursor = cursor_over(plhs[0]);
  systematic_sweep(call, &cursor, 1 - u);
}
