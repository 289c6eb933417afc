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

// Walks the weights over `slots`, which hold the M * N uniforms on entry,
// and returns the end of the slots written. Locals only: the carry and the
// position stay in registers.
double* walk_strata(const resampling_call& call, double* slots) {
  const int64_t count = call.count;
  double* next = slots;
  double carry = 0;
  for (int32_t i = 0; i < call.n && count > 0; ++i) {
    const double e = (call.weights[i] / call.total) * count;
    const int64_t filled = next - slots;
#ifdef __SSE2__
    // The usual step, a carry below 3 and three slots left: at most two
    // whole copies, so the candidate uniforms are loaded at once and every
    // test is a mask, with no branch for random weights to mispredict. The
    // values are general_step's: x - 0 is x, and c - 1 and c - 2 are exact
    // for c in [1, 2) and [2, 3).
    if (e + carry < 3 && filled + 3 <= count) {
      // Every candidate difference is formed at once and the masks pick
      // one, which keeps the carry's chain of dependent steps short. Packed
      // operations: the upper lane is never read.
      const __m128d one = _mm_set1_pd(1.0);
      const __m128d two = _mm_set1_pd(2.0);
      const __m128d sum = _mm_add_pd(_mm_set1_pd(e), _mm_set1_pd(carry));
      const __m128d one_whole = _mm_cmpge_pd(sum, one);
      const __m128d two_whole = _mm_cmpge_pd(sum, two);
      const __m128d c = select(two_whole, _mm_sub_pd(sum, two), select(one_whole, _mm_sub_pd(sum, one), sum));
      const __m128d u0 = _mm_set1_pd(next[0]);
      const __m128d u1 = _mm_set1_pd(next[1]);
      const __m128d u2 = _mm_set1_pd(next[2]);
      const __m128d takes = _mm_cmpge_pd(c, select(two_whole, u2, select(one_whole, u1, u0)));
      carry = _mm_cvtsd_f64(select(takes, _mm_sub_pd(c, one), c));
      // All three slots are written, each with the index or with its own
      // uniform again, so nothing the walk has yet to read is lost.
      const __m128d index = _mm_set1_pd(i + 1);
      _mm_store_sd(next, select(_mm_or_pd(one_whole, takes), index, u0));
      _mm_store_sd(next + 1, select(_mm_or_pd(two_whole, _mm_and_pd(one_whole, takes)), index, u1));
      _mm_store_sd(next + 2, select(_mm_and_pd(two_whole, takes), index, u2));
      next += (_mm_movemask_pd(one_whole) & 1) + (_mm_movemask_pd(two_whole) & 1) +
              (_mm_movemask_pd(takes) & 1);
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
