// I = resample_stratified (W [, M [, N]])
//
// Stratified resampling: the cumulative expected counts, 0 to M * N, are cut
// into unit strata; slot k takes its own uniform U(k) and the index of the
// first weight whose cumulative expected count reaches k + U(k). One pass
// with a running carry, no search; the output never decreases. All M * N
// uniforms come from one host rand (M, N) call made before the output.
#include <cmath>

#include "resampling.h"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const resampling_call call = read_resampling_call(nlhs, nrhs, prhs);

  mxArray* uniforms = host_draw_array("rand", call.size);
  const double* u = mxGetPr(uniforms);
  plhs[0] = mxCreateDoubleMatrix(call.size.rows, call.size.cols, mxREAL);
  index_cursor cursor = cursor_over(plhs[0]);
  double* const first = cursor.next;

  const double total = weight_total(call.weights, call.n);
  // Cumulative expected count so far minus the slots filled so far.
  double carry = 0;
  for (int32_t i = 0; i < call.n; ++i) {
    carry = (call.weights[i] / total) * call.count + carry;
    if (carry >= 1) {
      // Strata wholly below the cumulative count need no uniform.
      const double whole = std::trunc(carry);
      carry = carry - whole;
      write_copies(&cursor, i + 1, whole);
    }
    const int64_t slot = cursor.next - first;
    // A uniform equal to the carry takes the copy.
    if (slot < call.count && carry >= u[slot]) {
      write_copies(&cursor, i + 1, 1);
      carry = carry - 1;
    }
  }
  // Rounding can leave the last carry just short of the last uniform; exact
  // arithmetic gives those slots to the last positive weight.
  fill_remaining(&cursor, last_positive_index(call.weights, call.n));
  mxDestroyArray(uniforms);
}
