// The arguments, checks and output rules that the four resamplers share:
// W [, M [, N]] with one input giving W's shape, two giving M x M and three
// M x N; indices are 1-based linear positions of W stored as doubles.
#pragma once

#include <cstdint>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "../host/host.h"
#include "../host/interrupt.h"

struct resampling_call {
  const double* weights;  // n finite, non-negative weights with a positive sum
  int32_t n;
  // The sum of weight * scale, accumulated from 0 in storage order: scale
  // is 1 unless the plain sum overflows, which only resample_systematic
  // accepts (then 2^-32: the scaled sum of 2^31 weights below 2^1024 is
  // finite).
  double total;
  double scale;
  output_size size;
  int32_t count;          // size.rows * size.cols
};

// All checks, in order: output count, input count, the shapes of M and N,
// the size range, then the class, emptiness and values of W. Under the
// whole-argument rules (resample_systematic, host.h) a bad N is named as
// N, a W of more than two dimensions is refused, and weights whose sum
// overflows are scaled.
resampling_call read_resampling_call(int nlhs, int nrhs, const mxArray* prhs[],
                                     argument_rules rules = argument_rules::rows_columns);

// 1-based index of the last positive weight: what exact arithmetic puts in
// the slots that rounding can leave unwritten.
double last_positive_index(const double* weights, int32_t n);

// Writes indices in storage order and never past the end of the output.
struct index_cursor {
  double* next;
  double* end;
};

index_cursor cursor_over(mxArray* output);
// Writes `copies` (a whole number, >= 0) of index, never past the end.
// Most weights get a few copies: four slots are written at once and the
// cursor keeps the ones wanted (the rest are written again later), so the
// count's variation from weight to weight costs no mispredicted branch.
inline void write_copies(index_cursor* cursor, double index, double copies) {
  const int64_t room = cursor->end - cursor->next;
  const double wanted = copies > 0 ? copies : 0;  // a NaN writes nothing
  const int64_t count = wanted < static_cast<double>(room) ? static_cast<int64_t>(wanted) : room;
  if (room >= 4) {
    for (int k = 0; k < 4; ++k) cursor->next[k] = index;
  }
  for (int64_t k = room >= 4 ? 4 : 0; k < count; ++k) cursor->next[k] = index;
  cursor->next += count;
}

// As write_copies, writing no slot past the last copy.
inline void write_copies_exactly(index_cursor* cursor, double index, double copies) {
  for (double k = 0; k < copies && cursor->next != cursor->end; ++k) *cursor->next++ = index;
}

// 1 when a >= b, else 0 (also when either is NaN), without a branch: with
// random weights such a test goes either way about once a weight, and a
// mispredicted branch costs more than the whole step.
inline double flag_at_least(double a, double b) {
#ifdef __SSE2__
  const __m128d one = _mm_set_sd(1.0);
  return _mm_cvtsd_f64(_mm_and_pd(_mm_cmpge_sd(_mm_set_sd(a), _mm_set_sd(b)), one));
#else
  return a >= b ? 1.0 : 0.0;
#endif
}
void fill_remaining(index_cursor* cursor, double index);

// Copy counts a batch of weights ahead of their writes: were each weight's
// stores made at once, their addresses would hang on the chain that
// carries the count from weight to weight, and the loads of the next
// weights would wait behind them.
constexpr int32_t copy_batch = 2048;
// Writes counts[k] copies of index first + k + 1 for each k < size, their
// sum batch_copies: four slots at once where the output has room for the
// whole batch and four more, as write_copies does with a check per weight
// otherwise.
void write_batch(index_cursor* cursor, int32_t first, const int64_t* counts, int32_t size,
                 int64_t batch_copies);

// The systematic sweep: index i gets trunc(e_i) copies of its expected count
// e_i = (W(i) * scale) / total * M * N, and the fractional parts gather in `carry`;
// each time it reaches 1 the weight that made it do so gets one more copy.
// Starting the carry at 1 - U gives slot k the first index whose cumulative
// expected count reaches k + U. Slots that rounding leaves at the end go to
// the last positive weight.
void systematic_sweep(const resampling_call& call, index_cursor* cursor, double carry);
