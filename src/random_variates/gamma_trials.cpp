// The trial pass of the batched gamma draws (gamma_batch.h): Best's
// rejection tests for every trial position of a window, without branches.
//
// Every expression that fixes a value or a verdict is gamma_best's
// (random_variates.cpp), operation for operation and in the same order, so
// each trial's candidate and verdict have the bits the one-value form
// computes. Vector lanes do not change that: SSE2's packed divide, square
// root, multiply and add round each lane exactly as their scalar forms do.
// What would change it is contraction of a multiply and an add into one
// fused operation: the library is built for plain x86-64 (-O2, no -march),
// which has no fused multiply-add, so the compiler cannot contract; a build
// for a machine that has one must add -ffp-contract=off, here and for
// rand_gamma alike.
#include "gamma_trials.h"

#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Trials handled per round: the first tests for all of them, then the logs
// of those left open, while their y and z are still in the cache.
constexpr int32_t round_slots = 64;

struct round_tests {
  double y[round_slots];
  double z[round_slots];
  int32_t open[round_slots];  // slots whose verdict waits for the logs
};

struct best_trial {
  double x, y, z;
  bool negative, squeezed;
};

// Best's trial on (u, v) up to its first two tests: x < 0 rejects,
// 1 - 2y^2 / x >= z accepts, anything else (NaN among it) is left open.
inline best_trial first_tests(const gamma_batch_shape& shape, double u, double v) {
  const double w = u * (1 - u);
  const double y = std::sqrt(shape.c / w) * (u - 0.5);
  const double x = shape.b + y;
  const double z = 64 * w * w * w * v * v;
  return {x, y, z, x < 0, 1 - (2 * y * y) / x >= z};
}

// The last test: t = 2 (b log(x / b) - y) against log(z), from the same
// libm log the one-value form calls.
inline bool log_test(double b, double x, double y, double z) {
  const double t = 2 * (b * std::log(x / b) - y);
  return t >= std::log(z);
}

#if defined(__SSE2__)
// first_tests of the two trials (u[0], v[0]) and (u[1], v[1]) into slots s
// and s + 1 (their y and z at r and r + 1); returns the open lanes as bits.
inline int first_tests_pair(const gamma_batch_shape& shape, __m128d u, __m128d v, int32_t s,
                            int32_t r, gamma_batch_scratch scratch, round_tests* round) {
  const __m128d one = _mm_set1_pd(1);
  const __m128d w = _mm_mul_pd(u, _mm_sub_pd(one, u));
  const __m128d root = _mm_sqrt_pd(_mm_div_pd(_mm_set1_pd(shape.c), w));
  const __m128d y = _mm_mul_pd(root, _mm_sub_pd(u, _mm_set1_pd(0.5)));
  const __m128d x = _mm_add_pd(_mm_set1_pd(shape.b), y);
  __m128d z = _mm_mul_pd(_mm_mul_pd(_mm_set1_pd(64), w), w);
  z = _mm_mul_pd(_mm_mul_pd(_mm_mul_pd(z, w), v), v);
  const __m128d ratio = _mm_div_pd(_mm_mul_pd(_mm_mul_pd(_mm_set1_pd(2), y), y), x);
  const int negative = _mm_movemask_pd(_mm_cmplt_pd(x, _mm_setzero_pd()));
  const int squeezed = _mm_movemask_pd(_mm_cmpge_pd(_mm_sub_pd(one, ratio), z));
  const int open = ~negative & ~squeezed & 3;
  const int accepted = ~negative & squeezed;
  _mm_storeu_pd(scratch.x + s, x);
  _mm_storeu_pd(round->y + r, y);
  _mm_storeu_pd(round->z + r, z);
  // trial_open is 2 * 1, trial_accepted 1: one of the two bits at most.
  scratch.verdict[s] = static_cast<int8_t>(2 * (open & 1) + (accepted & 1));
  scratch.verdict[s + 1] = static_cast<int8_t>((open & 2) + ((accepted >> 1) & 1));
  return open;
}
#endif

// The first tests on slots [s0, s1) of one round (slot s is the trial at
// position s * stride); returns how many it left open, listed in round.
int32_t first_tests_round(const gamma_batch_shape& shape, const double* u, int32_t s0, int32_t s1,
                          gamma_batch_scratch scratch, round_tests* round) {
  const int32_t stride = shape.stride;
  int32_t open = 0;
  int32_t s = s0;
#if defined(__SSE2__)
  for (; s + 2 <= s1; s += 2) {
    const double* at = u + s * stride;
    __m128d us, vs;
    if (stride == 2) {  // (u0, v0, u1, v1): deinterleave
      const __m128d first = _mm_loadu_pd(at), second = _mm_loadu_pd(at + 2);
      us = _mm_unpacklo_pd(first, second);
      vs = _mm_unpackhi_pd(first, second);
    } else {  // (u0, u1 = v0, v1)
      us = _mm_loadu_pd(at);
      vs = _mm_loadu_pd(at + 1);
    }
    const int lanes = first_tests_pair(shape, us, vs, s, s - s0, scratch, round);
    round->open[open] = s;
    open += lanes & 1;
    round->open[open] = s + 1;
    open += lanes >> 1;
  }
#endif
  for (; s < s1; ++s) {
    const best_trial trial = first_tests(shape, u[s * stride], u[s * stride + 1]);
    const bool left_open = !trial.negative && !trial.squeezed;
    scratch.x[s] = trial.x;
    scratch.verdict[s] = left_open ? trial_open : trial.negative ? trial_rejected : trial_accepted;
    round->y[s - s0] = trial.y;
    round->z[s - s0] = trial.z;
    round->open[open] = s;
    open += left_open;
  }
  return open;
}

}  // namespace

bool best_log_test(const gamma_batch_shape& shape, const double* u, double x) {
  const best_trial trial = first_tests(shape, u[0], u[1]);
  return log_test(shape.b, x, trial.y, trial.z);
}

void gamma_batch_trials(const gamma_batch_shape& shape, const double* u, int32_t n, int32_t first,
                        int32_t last, gamma_batch_scratch scratch) {
  if (shape.stride == 0) return;
  if (last > n - 1) last = n - 1;  // a trial needs u[p] and u[p + 1]
  if (first < 0) first = 0;
  if (first >= last) return;
  // Slots of the positions p in [first, last) with p % stride == 0.
  const int32_t s_first = (first + shape.stride - 1) / shape.stride;
  const int32_t s_last = (last + shape.stride - 1) / shape.stride;
  const bool logs_now = shape.stride == 2;  // every such trial is reached
  round_tests round;
  for (int32_t s0 = s_first; s0 < s_last; s0 += round_slots) {
    const int32_t s1 = s_last - s0 < round_slots ? s_last : s0 + round_slots;
    const int32_t open = first_tests_round(shape, u, s0, s1, scratch, &round);
    for (int32_t k = 0; logs_now && k < open; ++k) {
      const int32_t s = round.open[k];
      scratch.verdict[s] = log_test(shape.b, scratch.x[s], round.y[s - s0], round.z[s - s0]);
    }
  }
}
