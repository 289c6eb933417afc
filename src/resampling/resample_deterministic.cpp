// I = resample_deterministic (W [, M [, N]])
//
// Deterministic resampling: index i gets floor(e_i) copies of its expected
// count e_i = W(i) / sum (W) * M * N, and the fractional parts gather in a
// carry that starts at 0.5; each time it reaches 1 the weight that made it
// do so gets one more copy. Systematic resampling with the offset fixed at
// 0.5: no randomness, and the output never decreases.
#include <cmath>

#include "resampling.h"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const resampling_call call = read_resampling_call(nlhs, nrhs, prhs);

  plhs[0] = mxCreateDoubleMatrix(call.size.rows, call.size.cols, mxREAL);
  index_cursor cursor = cursor_over(plhs[0]);

  const double total = weight_total(call.weights, call.n);
  double carry = 0.5;
  for (int32_t i = 0; i < call.n; ++i) {
    double fraction = (call.weights[i] / total) * call.count;
    if (fraction >= 1) {
      const double whole = std::trunc(fraction);
      fraction = fraction - whole;
      write_copies(&cursor, i + 1, whole);
    }
    carry = fraction + carry;
    if (carry >= 1) {
      write_copies(&cursor, i + 1, 1);
      carry = carry - 1;
    }
  }
  // Rounding in the fractional parts can leave the carry short at the end.
  fill_remaining(&cursor, last_positive_index(call.weights, call.n));
}
