// I = resample_stratified (W [, M [, N]])
//
// Stratified resampling: the cumulative expected counts, 0 to M * N, are cut
// into unit strata; slot k takes its own uniform U(k) and the index of the
// first weight whose cumulative expected count reaches k + U(k). One pass
// with a running carry, no search; the output never decreases. All M * N
// uniforms come from one host rand (M, N) call, and that array becomes the
// output: slot k is only read before the walk has written it, and the walk
// never overwrites a slot it has not yet passed.
#include <algorithm>
#include <cmath>

#include "resampling.h"

namespace {

struct step {
  double carry;   // cumulative expected count so far minus the slots filled
  double copies;  // the weight's copies, a whole number
};

// One weight's step from the carry before it, e its expected count and
// `filled` the slots written so far. Strata wholly below the cumulative
// count need no uniform; then a uniform equal to the carry takes one more
// copy, and past the last slot there is none to take. The carry stays below
// M * N + 1 and above -n, where the cast is trunc.
step general_step(const double* u, int64_t count, double carry, double e, int64_t filled) {
  carry = e + carry;
  const int64_t whole = std::max(static_cast<int64_t>(carry), int64_t{0});
  carry = carry - static_cast<double>(whole);
  const int64_t slot = whole < count - filled ? filled + whole : count;
  const double u_slot = slot < count ? u[slot] : INFINITY;
  const double extra = flag_at_least(carry, u_slot);
  return step{carry - extra, static_cast<double>(whole) + extra};
}

#ifdef __SSE2__
// a where the mask is set, else b.
__m128d select(__m128d mask, __m128d a, __m128d b) {
  return _mm_or_pd(_mm_and_pd(mask, a), _mm_andnot_pd(mask, b));
}
#endif

// Whether every uniform lies in [0, 1), as Octave's do; a rand of the
// user's own may hand over anything, and then the general steps serve.
bool all_unit_uniforms(const double* u, int64_t count) {
  bool inside = true;
  for (int64_t j = 0; j < count; ++j) inside &= u[j] >= 0 && u[j] < 1;
  return inside;
}

// Walks the weights over `slots`, which hold the M * N uniforms on entry,
// and returns the end of the slots written. Locals only: the carry and the
// position stay in registers.
double* walk_strata(const resampling_call& call, double* slots) {
  const int64_t count = call.count;
  double* next = slots;
  double carry = 0;
#ifdef __SSE2__
  const bool fast = all_unit_uniforms(slots, count);
#endif
  for (int32_t i = 0; i < call.n && count > 0; ++i) {
    poll_interrupt(i);
    const double e = (call.weights[i] / call.total) * count;
    const int64_t filled = next - slots;
#ifdef __SSE2__
    // The usual step, a sum below 3 and three slots left. With c = e +
    // carry and f the slots filled, the copies are n = [c >= U(f)] +
    // [c - 1 >= U(f+1)] + [c - 2 >= U(f+2)] for uniforms in [0, 1): below 1
    // only the first test can hold, and it is the general step's; in [1, 2)
    // the first holds and the second is its test of the exact c - 1; in
    // [2, 3) the first two hold and the third is its test of the exact
    // c - 2. The new carry c - n is exact where n counts a whole copy, and
    // otherwise the very subtraction the general step makes. Independent
    // masks, and no branch for random weights to mispredict.
    if (fast && e + carry < 3 && filled + 3 <= count) {
      const __m128d one = _mm_set1_pd(1.0);
      const __m128d sum = _mm_add_pd(_mm_set1_pd(e), _mm_set1_pd(carry));
      const __m128d u0 = _mm_set1_pd(next[0]);
      const __m128d u1 = _mm_set1_pd(next[1]);
      const __m128d u2 = _mm_set1_pd(next[2]);
      const __m128d first = _mm_cmpge_pd(sum, u0);
      const __m128d second = _mm_cmpge_pd(_mm_sub_pd(sum, one), u1);
      const __m128d third = _mm_cmpge_pd(_mm_sub_pd(sum, _mm_set1_pd(2.0)), u2);
      const __m128d copies = _mm_add_pd(_mm_and_pd(first, one),
                                        _mm_add_pd(_mm_and_pd(second, one), _mm_and_pd(third, one)));
      carry = _mm_cvtsd_f64(_mm_sub_pd(sum, copies));
      // All three slots are written, each with the index or with its own
      // uniform again, so nothing the walk has yet to read is lost.
      const __m128d index = _mm_set1_pd(i + 1);
      _mm_store_sd(next, select(first, index, u0));
      _mm_store_sd(next + 1, select(second, index, u1));
      _mm_store_sd(next + 2, select(third, index, u2));
      next += (_mm_movemask_pd(first) & 1) + (_mm_movemask_pd(second) & 1) + (_mm_movemask_pd(third) & 1);
      continue;
    }
#endif
    const step s = general_step(slots, count, carry, e, filled);
    carry = s.carry;
    index_cursor cursor{next, slots + count};
    write_copies_exactly(&cursor, i + 1, s.copies);
    next = cursor.next;
  }
  return next;
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const resampling_call call = read_resampling_call(nlhs, nrhs, prhs);

  plhs[0] = host_draw_array("rand", call.size);
  index_cursor cursor = cursor_over(plhs[0]);
  cursor.next = walk_strata(call, cursor.next);
  // Rounding can leave the last carry just short of the last uniform; exact
  // arithmetic gives those slots to the last positive weight.
  fill_remaining(&cursor, last_positive_index(call.weights, call.n));
}
