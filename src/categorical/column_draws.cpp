// One column's draws (column_draws.h). The exponentials are most of the
// work, and exp itself costs some 20 cycles: the sums are first formed
// from a faster exponential of known error, four at a time, and a draw is
// taken from them wherever that error cannot change it; any other draw of
// the column, and those after it, come from the exact sums.
#include "column_draws.h"

#include <cmath>
#include <cstring>

#include "../host/interrupt.h"

namespace {

// Below -746 exp (x) is under half the smallest subnormal and rounds to 0.
constexpr double exp_underflow = -746;
// Where the fast exponential stops: e^-700 and 2^-1010 are normal.
constexpr double fast_floor = -700;

// Four lanes: each operation is the same IEEE operation lane by lane (two
// SSE2 registers, or one AVX register in the clone for processors that
// have it).
typedef double lanes __attribute__((vector_size(4 * sizeof(double))));
typedef int64_t int_lanes __attribute__((vector_size(4 * sizeof(int64_t))));

// e^x, for x at or above fast_floor (x < 0: e^fast_floor), within a
// relative 2^-36 for fast_floor <= x <= 0. x = n ln 2 + r with n the
// nearest integer to x / ln 2 (adding 1.5 * 2^52 leaves n in the last bits)
// and |r| <= 0.35: ln 2 in two parts, the first of 32 bits so that n times
// it is exact; e^r by its Taylor polynomial of degree 9 (remainder under
// 1.2e-11), summed in a tree of powers of r (Estrin) rather than Horner's
// chain, whose steps in a row would leave the processor waiting; 2^n built
// from its bits (n >= -1010: normal). Rounding adds about 1e-15.
// Arguments by pointer: 32-byte vectors by value have no fixed ABI.
inline void fast_exp(const lanes* in, lanes* out) {
  const double shifter = 0x1.8p52;
  const double ln2_high = 0x1.62e42feep-1;         // 0.69314718036912381649...
  const double ln2_low = 1.90821492927058770e-10;  // ln 2 - ln2_high
  const lanes x = *in < fast_floor ? fast_floor : *in;
  const lanes shifted = x * 1.4426950408889634 + shifter;
  const lanes n = shifted - shifter;
  const lanes r = (x - n * ln2_high) - n * ln2_low;
  const lanes r2 = r * r;
  const lanes r4 = r2 * r2;
  const lanes p01 = r + 1.0;
  const lanes p23 = r * (1.0 / 6) + 0.5;
  const lanes p45 = r * (1.0 / 120) + 1.0 / 24;
  const lanes p67 = r * (1.0 / 5040) + 1.0 / 720;
  const lanes p89 = r * (1.0 / 362880) + 1.0 / 40320;
  const lanes p03 = p23 * r2 + p01;
  const lanes p47 = p67 * r2 + p45;
  const lanes p = (p89 * r4 + p47) * r4 + p03;
  int_lanes bits;
  std::memcpy(&bits, &shifted, sizeof bits);
  bits = (bits + 1023) << 52;  // the exponent field of 2^n
  lanes scale;
  std::memcpy(&scale, &bits, sizeof scale);
  *out = p * scale;
}

// The fast sums into sums[0..k); returns the total. A weight below
// e^fast_floor counts as e^fast_floor: 2^31 of them add less than 1e-294,
// far inside the margin of draw_column, and a category of weight 0 still
// has too narrow a part of the sum ever to pass it.
__attribute__((target_clones("avx2", "default")))
double fast_sums(const double* logp, int64_t k, double max, double* sums, bool polls) {
  double total = 0;
  int64_t i = 0;
  for (; i + 4 <= k; i += 4) {
    if (polls && i % 4096 == 0) leave_if_interrupted();
    lanes x;
    std::memcpy(&x, logp + i, sizeof x);
    x = x - max;
    lanes w;
    fast_exp(&x, &w);
    for (int j = 0; j < 4; ++j) sums[i + j] = total = total + w[j];
  }
  if (i < k) {
    double tail[4] = {-INFINITY, -INFINITY, -INFINITY, -INFINITY};
    for (int64_t j = i; j < k; ++j) tail[j - i] = logp[j];
    lanes x;
    std::memcpy(&x, tail, sizeof x);
    x = x - max;
    lanes w;
    fast_exp(&x, &w);
    for (int64_t j = i; j < k; ++j) sums[j] = total = total + w[j - i];
  }
  return total;
}

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

// 0-based position of the first of sums[0..n) above t (n >= 1), n when
// there is none. The answer lies in [base, base + len] throughout; each
// halving keeps the part that holds it, with a select rather than a branch
// that random draws would mispredict. NaN compares false: no position.
int64_t first_above(const double* sums, int64_t n, double t) {
  const double* base = sums;
  int64_t len = n;
  while (len > 1) {
    const int64_t half = len / 2;
    base = base[half - 1] > t ? base : base + half;
    len -= half;
  }
  return (base - sums) + (*base > t ? 0 : 1);
}

// Octave's rand is never below 0; were a host's, such a value draws as 0
// does, the first positive weight, and not the first weight.
double threshold_of(double u, double total) {
  const double t = u * total;
  return t < 0 ? 0 : t;
}

}  // namespace

// Why a fast draw is exact: each sum of k terms, exact or fast, lies within
// (k 2^-53 + the exponential's error) of the true sum of e^x, and every sum
// is at most the total, which is at least 1 (the largest weight is e^0):
// an exact sum and its fast twin differ by less than (k 2^-52 + 2^-40 +
// 2^-40) times the fast total, counting the C library's exp within 2^-40
// (it is within an ulp), and so do the two thresholds, with one more
// rounding. A fast answer whose sum exceeds the fast threshold, and whose
// predecessor's falls short of it, each by more than `margin` (four times
// that bound), is then the exact answer too; a threshold near a sum (a
// tie, a zero weight's repeated sum, u = 0 or 1, NaN) fails the test.
void draw_column(const double* logp, int64_t k, double* sums, double* draws, int32_t m, bool polls) {
  double max = logp[0];
  for (int64_t i = 1; i < k; ++i) max = logp[i] > max ? logp[i] : max;
  const double fast_total = fast_sums(logp, k, max, sums, polls);
  const double margin = 4 * (static_cast<double>(k) * 0x1p-52 + 0x1p-36 + 0x1p-40) * fast_total;
  int32_t d = 0;
  for (; d < m; ++d) {
    if (polls) poll_interrupt(d);
    const double t = threshold_of(draws[d], fast_total);
    const int64_t found = first_above(sums, k, t);
    if (!(found < k && sums[found] - t > margin && (found == 0 || t - sums[found - 1] > margin)))
      break;
    draws[d] = static_cast<double>(found + 1);
  }
  if (d == m) return;
  int64_t last = 0;
  const double total = exact_sums(logp, k, max, sums, &last, polls);
  for (; d < m; ++d) {
    if (polls) poll_interrupt(d);
    const int64_t found = first_above(sums, k, threshold_of(draws[d], total));
    draws[d] = static_cast<double>((found < k ? found : last) + 1);
  }
}
