// Test-only module: the batched gamma draws on uniforms the test gives.
//   [g, consumed] = gamma_batch_harness (a, u, count, window, piece)
// Draws up to `count` gamma values of shape a from the column u the way a
// plug-in drives the kernel from the host's look-ahead: each window holds
// min (window, what is left of u) values, but never fewer than the kernel
// needs (a window of 1 is the host that gives values one by one); its
// trials are evaluated in pieces of `piece` positions, last piece first, as
// threads might; the scan then says how many values to consume. Stops when
// u cannot fill the window the kernel needs. g holds the elements drawn,
// consumed the uniforms taken from the front of u.
// Never installed: the suite builds it into build*/tests/.
#include <algorithm>

#include "../../src/host/host.h"
#include "../../src/random_variates/gamma_batch.h"

namespace {

int64_t whole_arg(const mxArray* a) {
  const double v = mxGetScalar(a);
  if (!(v >= 1 && v <= 1e9)) mexErrMsgTxt("gamma_batch_harness: counts are whole and at least 1");
  return static_cast<int64_t>(v);
}

// The trial pass over [0, n) in pieces, the last one first.
void trials_in_pieces(const gamma_batch_shape& shape, const double* u, int32_t n, int32_t piece,
                      gamma_batch_scratch scratch) {
  for (int32_t last = n; last > 0; last -= piece)
    gamma_batch_trials(shape, u, n, std::max(0, last - piece), last, scratch);
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  if (nrhs != 5 || !is_real_double(prhs[1]))
    mexErrMsgTxt("gamma_batch_harness (a, u, count, window, piece)");
  const gamma_batch_shape shape = gamma_batch_shape_of(mxGetScalar(prhs[0]));
  const double* u = mxGetPr(prhs[1]);
  const int64_t size = static_cast<int64_t>(mxGetNumberOfElements(prhs[1]));
  const int64_t count = whole_arg(prhs[2]);
  const int32_t window = static_cast<int32_t>(std::min<int64_t>(whole_arg(prhs[3]), 1 << 20));
  const int32_t piece = static_cast<int32_t>(std::min<int64_t>(whole_arg(prhs[4]), 1 << 20));

  plhs[0] = mxCreateDoubleMatrix(count, 1, mxREAL);
  double* out = mxGetPr(plhs[0]);
  const int32_t largest = std::max(window, 2);  // the kernel may need 2 values
  void* block = mxMalloc(gamma_batch_scratch_bytes(largest));
  const gamma_batch_scratch scratch = gamma_batch_scratch_in(block, largest);
  gamma_batch_carry carry{};
  int64_t done = 0, consumed = 0;
  while (done < count) {
    const int32_t needed = gamma_batch_needed(shape, carry);
    const int64_t left = size - consumed;
    const int32_t n = static_cast<int32_t>(std::max<int64_t>(needed, std::min<int64_t>(window, left)));
    if (n > left) break;
    trials_in_pieces(shape, u + consumed, n, piece, scratch);
    const gamma_batch_step step =
        gamma_batch_scan(shape, &carry, u + consumed, n, scratch, out + done, count - done);
    // The promise a look-ahead host relies on, and what makes this loop end.
    if (step.consumed < needed || step.consumed > n || (step.consumed == 0 && step.elements == 0))
      mexErrMsgTxt("gamma_batch_harness: the scan consumed outside [needed, n] or made no progress");
    consumed += step.consumed;
    done += step.elements;
  }
  mxFree(block);
  mxSetM(plhs[0], done);
  if (nlhs > 1) plhs[1] = mxCreateDoubleScalar(static_cast<double>(consumed));
}
