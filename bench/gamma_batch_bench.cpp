// [NS, G, USED] = gamma_batch_bench (METHOD, A, U, COUNT)
//
// Bench-only: COUNT gamma draws of shape A from the uniforms U drawn
// beforehand, by METHOD "per_value" (rand_gamma once per element, its
// values read from U) or "batched" (the batched kernel on look-ahead
// windows of U, as a plug-in drives it). NS is the time of the draws alone
// in nanoseconds per element, G the draws, USED the uniforms they took.
// The time is the calling thread's processor time, so that other work on a
// shared machine does not count. The draws run in run_per_value and
// run_batched, which callgrind's --toggle-collect can name. Never installed.
#include <time.h>

#include <cstring>

#include "../src/host/host.h"
#include "../src/random_variates/gamma_batch.h"
#include "../src/random_variates/random_variates.h"

namespace {

// The largest window the host's look-ahead hands out.
constexpr int32_t window_size = 4096;

const double* uniforms = nullptr;
int64_t uniforms_size = 0;
int64_t uniforms_used = 0;

double thread_ns() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return 1e9 * static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec);
}

__attribute__((noinline)) void run_per_value(double a, double* out, int64_t count) {
  for (int64_t i = 0; i < count; ++i) out[i] = rand_gamma(a);
}

__attribute__((noinline)) void run_batched(double a, double* out, int64_t count,
                                           gamma_batch_scratch scratch) {
  const gamma_batch_shape shape = gamma_batch_shape_of(a);
  gamma_batch_carry carry{};
  for (int64_t done = 0; done < count;) {
    const int64_t left = uniforms_size - uniforms_used;
    const int32_t n = static_cast<int32_t>(left < window_size ? left : window_size);
    if (n < gamma_batch_needed(shape, carry)) mexErrMsgTxt("gamma_batch_bench: too few uniforms.");
    const double* u = uniforms + uniforms_used;
    gamma_batch_trials(shape, u, n, 0, n, scratch);
    const gamma_batch_step step = gamma_batch_scan(shape, &carry, u, n, scratch, out + done, count - done);
    uniforms_used += step.consumed;
    done += step.elements;
  }
}

}  // namespace

// rand_gamma's host values, in place of the host's streams.
double host_uniform() {
  if (uniforms_used == uniforms_size) mexErrMsgTxt("gamma_batch_bench: too few uniforms.");
  return uniforms[uniforms_used++];
}
double host_normal() { return host_uniform(); }

void mexFunction(int, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  if (nrhs != 4 || !mxIsChar(prhs[0]) || !is_real_double(prhs[2]))
    mexErrMsgTxt("gamma_batch_bench (METHOD, A, U, COUNT)");
  char method[16];
  mxGetString(prhs[0], method, sizeof method);
  const double a = mxGetScalar(prhs[1]);
  uniforms = mxGetPr(prhs[2]);
  uniforms_size = static_cast<int64_t>(mxGetNumberOfElements(prhs[2]));
  uniforms_used = 0;
  const double count_arg = mxGetScalar(prhs[3]);
  if (!(count_arg >= 1 && count_arg <= 1e9)) mexErrMsgTxt("gamma_batch_bench: COUNT from 1 to 1e9.");
  const int64_t count = static_cast<int64_t>(count_arg);
  plhs[1] = mxCreateDoubleMatrix(count, 1, mxREAL);
  double* out = mxGetPr(plhs[1]);
  void* block = mxMalloc(gamma_batch_scratch_bytes(window_size));
  const gamma_batch_scratch scratch = gamma_batch_scratch_in(block, window_size);

  const double start = thread_ns();
  if (std::strcmp(method, "per_value") == 0)
    run_per_value(a, out, count);
  else
    run_batched(a, out, count, scratch);
  const double elapsed = thread_ns() - start;

  mxFree(block);
  plhs[0] = mxCreateDoubleScalar(elapsed / static_cast<double>(count));
  plhs[2] = mxCreateDoubleScalar(static_cast<double>(uniforms_used));
}
