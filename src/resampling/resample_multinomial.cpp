// I = resample_multinomial (W)         indices in W's shape
// I = resample_multinomial (W, M)      M x M
// I = resample_multinomial (W, M, N)   M x N
//
// Multinomial resampling: every entry is an independent draw of the 1-based
// position i with probability W(i) / sum (W), made by searching one host
// uniform in the normalised cumulative weights. The host's M x N uniform
// array becomes the output and is overwritten in place.
#include "../host/threads.h"
#include "binsgeq.h"
#include "resampling.h"

namespace {

// The searches are independent: ranges of them go to the worker threads,
// one per 7,000 searches (each takes about 14 ns; see threads_for).
constexpr double break_even_searches = 7000;
constexpr int64_t chunk_searches = 4096;

// Normalised cumulative weights; the last is exactly 1, so every uniform
// below 1 finds an entry and a trailing zero weight is never chosen.
void cumulative_weights(const double* weights, int32_t n, double* cumulative) {
  cumulative[0] = weights[0];
  for (int32_t i = 1; i < n; ++i) cumulative[i] = cumulative[i - 1] + weights[i];
  for (int32_t i = 0; i < n - 1; ++i) cumulative[i] = cumulative[i] / cumulative[n - 1];
  cumulative[n - 1] = 1;
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const resampling_call call = read_resampling_call(nlhs, nrhs, prhs);
  const int32_t threads = thread_count();

  plhs[0] = host_draw_array("rand", call.size);
  double* entries = mxGetPr(plhs[0]);
  double* cumulative = static_cast<double*>(mxMalloc(sizeof(double) * call.n));
  cumulative_weights(call.weights, call.n, cumulative);
  search_guide guide{cumulative, call.n, static_cast<int32_t*>(mxMalloc(sizeof(int32_t) * call.n)), call.n};
  build_guide(&guide);
  run_in_chunks(threads_for(threads, call.count, break_even_searches), call.count, chunk_searches,
                [&](int64_t begin, int64_t end) {
                  for (int64_t k = begin; k < end; ++k) entries[k] = guided_binsgeq(guide, entries[k]);
                });
  mxFree(guide.start);
  mxFree(cumulative);
}
