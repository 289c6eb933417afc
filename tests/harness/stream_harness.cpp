// Test-only module: the host layer's streams, reached directly.
//   V = stream_harness ("draws", PATTERN [, ENDING [, TIMES]])
//     In one scope, TIMES times (default once), per character of PATTERN:
//     'u' one host_uniform, 'n' one host_normal, 'U' and 'N' a 3 x 1
//     host_draw_array of rand and randn, 'w' a look-ahead window of 3 to 64
//     uniforms of which 3 are consumed; V holds the values in order. ENDING
//     "error" raises an error after the draws, "interrupt" raises SIGINT at
//     this process and then polls.
//   [V, N] = stream_harness ("ahead", NEEDED, WANTED, USED, AFTER)
//     In one scope, a look-ahead window of N uniforms, of which USED are
//     consumed, then AFTER more uniforms; V holds the USED window values
//     and the AFTER ones.
//   V = stream_harness ("array", N): host_draw_array of rand, N x 1.
// Never installed: the suite builds it into build*/tests/.
#include <algorithm>
#include <csignal>
#include <cstring>

#include "../../src/host/host.h"
#include "../../src/host/host_stream.h"
#include "../../src/host/interrupt.h"

namespace {

int32_t arg(int nrhs, const mxArray* prhs[], int k) {
  if (k >= nrhs) mexErrMsgTxt("stream_harness: missing argument");
  return static_cast<int32_t>(mxGetScalar(prhs[k]));
}

void draws(mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  char pattern[256] = "";
  char ending[16] = "";
  if (nrhs < 2 || mxGetString(prhs[1], pattern, sizeof pattern) != 0) mexErrMsgTxt("stream_harness: pattern");
  if (nrhs > 2) mxGetString(prhs[2], ending, sizeof ending);
  const int64_t length = std::strlen(pattern);
  const int64_t steps = length * (nrhs > 3 ? arg(nrhs, prhs, 3) : 1);
  plhs[0] = mxCreateDoubleMatrix(3 * steps, 1, mxREAL);
  double* v = mxGetPr(plhs[0]);
  const host_stream_scope streams;
  for (int64_t k = 0; k < steps; ++k) {
    const char* c = pattern + k % length;
    if (*c == 'u' || *c == 'n') {
      *v++ = *c == 'u' ? host_uniform() : host_normal();
    } else if (*c == 'w') {
      const double* window = nullptr;
      host_uniforms_ahead(3, 64, &window);
      v = std::copy_n(window, 3, v);
      host_uniforms_consume(3);
    } else {
      const mxArray* drawn = host_draw_array(*c == 'U' ? "rand" : "randn", output_size{3, 1});
      for (int k = 0; k < 3; ++k) *v++ = mxGetPr(drawn)[k];
    }
  }
  mxSetM(plhs[0], v - mxGetPr(plhs[0]));
  if (std::strcmp(ending, "error") == 0) mexErrMsgTxt("failed after drawing");
  if (std::strcmp(ending, "interrupt") == 0) {
    std::raise(SIGINT);
    for (long step = 0; step < 100000000; ++step) poll_interrupt(step);
  }
}

void ahead(mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const int32_t needed = arg(nrhs, prhs, 1);
  const int32_t used = arg(nrhs, prhs, 3);
  const int32_t after = arg(nrhs, prhs, 4);
  plhs[0] = mxCreateDoubleMatrix(used + after, 1, mxREAL);
  double* v = mxGetPr(plhs[0]);
  const host_stream_scope streams;
  const double* window = nullptr;
  const int32_t size = host_uniforms_ahead(needed, arg(nrhs, prhs, 2), &window);
  for (int32_t k = 0; k < used && k < size; ++k) v[k] = window[k];
  host_uniforms_consume(used);
  for (int32_t k = 0; k < after; ++k) v[used + k] = host_uniform();
  plhs[1] = mxCreateDoubleScalar(size);
}

}  // namespace

void mexFunction(int, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  char action[8] = "";
  if (nrhs < 1 || mxGetString(prhs[0], action, sizeof action) != 0) mexErrMsgTxt("stream_harness: action");
  if (std::strcmp(action, "draws") == 0) {
    draws(plhs, nrhs, prhs);
  } else if (std::strcmp(action, "ahead") == 0) {
    ahead(plhs, nrhs, prhs);
  } else if (std::strcmp(action, "array") == 0) {
    plhs[0] = host_draw_array("rand", output_size{arg(nrhs, prhs, 1), 1});
  } else {
    mexErrMsgTxt("stream_harness: unknown action");
  }
}
