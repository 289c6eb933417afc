// I = resample_residual (W [, M [, N]])
//
// Residual resampling: index i first gets floor(e_i) copies, e_i = W(i) /
// sum (W) * M * N its expected count; the R entries left are multinomial
// draws from the fractional remainders. The output holds the whole copies
// in ascending index order, then the residual draws in the order of their
// uniforms, which come from one host rand (R, 1) call made after the copies.
#include <algorithm>

#include "../host/threads.h"
#include "binsgeq.h"
#include "resampling.h"

namespace {

// The residual draws are independent searches: ranges of them go to the
// worker threads, one per 7,000 draws (each takes about 14 ns; see
// threads_for).
constexpr double break_even_searches = 7000;
constexpr int64_t chunk_searches = 4096;

// Writes the whole copies and leaves each expected count's remainder in
// `remainder`; returns R, the number of entries still to draw. A batch's
// expected counts first (their divisions independent of each other), then
// their copies.
int32_t write_whole_copies(const resampling_call& call, index_cursor* cursor, double* remainder) {
  int64_t counts[copy_batch];
  int32_t residual = call.count;
  for (int32_t first = 0; first < call.n; first += copy_batch) {
    leave_if_interrupted();
    const int32_t size = std::min(call.n - first, copy_batch);
    for (int32_t k = 0; k < size; ++k) {
      // Divide first, then scale: the order fixes the rounding of every count.
      const double expected = (call.weights[first + k] / call.total) * call.count;
      // Below 1 the truncation is 0 and expected - 0 is expected: no
      // branch, which random weights mispredict.
      counts[k] = static_cast<int64_t>(expected);
      remainder[first + k] = expected - static_cast<double>(counts[k]);
    }
    int64_t batch_copies = 0;
    for (int32_t k = 0; k < size; ++k) {
      // Rounding can make the whole parts overshoot by one; the output
      // never takes more than it holds.
      counts[k] = std::min<int64_t>(counts[k], residual);
      residual -= static_cast<int32_t>(counts[k]);
      batch_copies += counts[k];
    }
    write_batch(cursor, first, counts, size, batch_copies);
  }
  return residual;
}

// Normalised cumulative remainders. Everything from the last positive
// remainder on is set to 1 (exact arithmetic gives 1 there), so rounding in
// the running sum cannot hand a draw to an index with nothing left over.
void cumulative_remainders(const resampling_call& call, int32_t residual, double* cumulative) {
  for (int32_t i = 0; i < call.n; ++i) cumulative[i] = cumulative[i] / residual;
  int32_t last = call.n - 1;
  while (last >= 0 && !(cumulative[last] > 0)) --last;
  if (last < 0) last = static_cast<int32_t>(last_positive_index(call.weights, call.n)) - 1;
  for (int32_t i = 0; i + 1 < call.n; ++i) cumulative[i + 1] = cumulative[i] + cumulative[i + 1];
  for (int32_t i = last; i < call.n; ++i) cumulative[i] = 1;
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const resampling_call call = read_resampling_call(nlhs, nrhs, prhs);
  const int32_t threads = thread_count();

  plhs[0] = mxCreateDoubleMatrix(call.size.rows, call.size.cols, mxREAL);
  index_cursor cursor = cursor_over(plhs[0]);
  double* remainder = static_cast<double*>(mxMalloc(sizeof(double) * call.n));
  const int32_t residual = write_whole_copies(call, &cursor, remainder);

  // Asked for also when R is 0, so the generator advances the same way.
  mxArray* uniforms = host_draw_array("rand", output_size{residual, 1});
  const double* u = mxGetPr(uniforms);
  if (residual > 0) {
    cumulative_remainders(call, residual, remainder);
    search_guide guide{remainder, call.n, static_cast<int32_t*>(mxMalloc(sizeof(int32_t) * call.n)), call.n};
    build_guide(&guide);
    // The whole copies leave exactly `residual` slots, one per draw; the
    // bound only makes that plain.
    double* draws = cursor.next;
    const int64_t slots = std::min<int64_t>(residual, cursor.end - cursor.next);
    run_in_chunks(threads_for(threads, slots, break_even_searches), slots, chunk_searches,
                  [&](int64_t begin, int64_t end) {
                    for (int64_t j = begin; j < end; ++j) draws[j] = guided_binsgeq(guide, u[j]);
                  });
    cursor.next += slots;
    mxFree(guide.start);
  }
  mxFree(remainder);
  mxDestroyArray(uniforms);
}
