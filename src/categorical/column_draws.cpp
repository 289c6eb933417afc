// One column's draws (column_draws.h). The exponentials are most of the
// work, and exp itself costs some 20 cycles: the sums are first formed
// from a faster exponential of known error, four at a time, and a draw is
// taken from them wherever that error cannot change it; any other draw of
// the column, and those after it, come from the exact sums.
#include "column_draws.h"

#include <cmath>

#include "../host/interrupt.h"
#include "fast_sums.h"

namespace {

// Below -746 exp (x) is under half the smallest subnormal and rounds to 0.
constexpr double exp_underflow = -746;

// The contract's sums into sums[0..k); returns the total and, in *last,
// the last positive weight.
double exact_sums(const double* logp, int64_t k, double max, double* sums, int64_t* last, bool polls) {
  double total = 0;
  *last = 0;
  for (int64_t i = 0; i < k; ++i) {
    if (polls) poll_interrupt(i);
    const double shifted = logp[i] - max;
    const double w = shifted < exp_underflow ? 0 : std::exp(shifted);
    total = total + w;
    sums[i] = total;
    *last = w > 0 ? i : *last;
  }
  return total;
}

// 0-based position of the first of the n sums (n >= 1) at sums[0],
// sums[stride], ... above t, n when there is none. The answer lies in
// [base, base + len] throughout; each halving keeps the part that holds it,
// with a select rather than a branch that random draws would mispredict.
// NaN compares false: no position.
int64_t first_above(const double* sums, int64_t stride, int64_t n, double t) {
  int64_t base = 0;
  int64_t len = n;
  while (len > 1) {
    const int64_t half = len / 2;
    base = sums[(base + half - 1) * stride] > t ? base : base + half;
    len -= half;
  }
  return base + (sums[base * stride] > t ? 0 : 1);
}

// u lies in [0, 1): the host layer refuses other values of a rand of the
// user's. Then u * total is below total in rounding too (total >= 1), so
// some sum exceeds it; the last positive weight that the contract names
// for the other case is kept as its rule.
double threshold_of(double u, double total) { return u * total; }

// Why a draw from the fast sums is exact: each sum of k terms, exact or
// fast, lies within (k 2^-53 + the exponential's error) of the true sum of
// e^x, and every sum is at most the total, which is at least 1 (the
// largest weight is e^0): an exact sum and its fast twin differ by less
// than (k 2^-52 + fast_exp_error + 2^-40) times the fast total, counting
// the C library's exp within 2^-40 (it is within an ulp), and so do the two
// thresholds, with one more rounding. A fast answer whose sum exceeds the
// fast threshold, and whose predecessor's falls short of it, each by more
// than `margin` (four times that bound), is then the exact answer too; a
// threshold near a sum (a tie, a zero weight's repeated sum, u = 0)
// fails the test. Returns the first draw that fails (m if none).
int32_t fast_draws(const double* sums, int64_t stride, int64_t k, double* draws, int32_t m,
                   bool polls) {
  const double total = sums[(k - 1) * stride];
  const double margin = 4 * (static_cast<double>(k) * 0x1p-52 + fast_exp_error + 0x1p-40) * total;
  for (int32_t d = 0; d < m; ++d) {
    if (polls) poll_interrupt(d);
    const double t = threshold_of(draws[d], total);
    const int64_t found = first_above(sums, stride, k, t);
    if (!(found < k && sums[found * stride] - t > margin &&
          (found == 0 || t - sums[(found - 1) * stride] > margin)))
      return d;
    draws[d] = static_cast<double>(found + 1);
  }
  return m;
}

// Draws first..m-1 of a column from its exact sums, formed in room[0..k).
void exact_draws(const double* logp, int64_t k, double max, double* room, double* draws,
                 int32_t first, int32_t m, bool polls) {
  int64_t last = 0;
  const double total = exact_sums(logp, k, max, room, &last, polls);
  for (int32_t d = first; d < m; ++d) {
    if (polls) poll_interrupt(d);
    const int64_t found = first_above(room, 1, k, threshold_of(draws[d], total));
    draws[d] = static_cast<double>((found < k ? found : last) + 1);
  }
}

double largest(const double* logp, int64_t k) {
  double max = logp[0];
  for (int64_t i = 1; i < k; ++i) max = logp[i] > max ? logp[i] : max;
  return max;
}

void draw_column(const double* logp, int64_t k, double* room, double* draws, int32_t m, bool polls) {
  const double max = largest(logp, k);
  fast_sums(logp, k, max, room, polls);
  const int32_t d = fast_draws(room, 1, k, draws, m, polls);
  if (d < m) exact_draws(logp, k, max, room, draws, d, m, polls);
}

// Four columns side by side; then the exact sums, one column at a time,
// of those whose fast draws did not all pass.
void draw_four_columns(const double* logp, int64_t k, double* room, double* draws, int32_t m,
                       bool polls) {
  double max[4];
  for (int l = 0; l < 4; ++l) max[l] = largest(logp + l * k, k);
  fast_sums_four(logp, k, max, room);
  int32_t passed[4];
  for (int l = 0; l < 4; ++l) passed[l] = fast_draws(room + l, 4, k, draws + l * m, m, polls);
  for (int l = 0; l < 4; ++l)
    if (passed[l] < m) exact_draws(logp + l * k, k, max[l], room, draws + l * m, passed[l], m, polls);
}

}  // namespace

int64_t column_room(int64_t k) { return k <= four_columns_most ? 4 * k : k; }

void draw_columns(const double* logp, int64_t k, int64_t count, double* room, double* draws,
                  int32_t m, bool polls) {
  int64_t j = 0;
  if (k <= four_columns_most) {
    for (; j + 4 <= count; j += 4) draw_four_columns(logp + j * k, k, room, draws + j * m, m, polls);
  }
  for (; j < count; ++j) draw_column(logp + j * k, k, room, draws + j * m, m, polls);
}
