// Running sums of exp (logp - max) from a fast exponential of known error
// (fast_sums.h), four lanes at a time.
#include "fast_sums.h"

#include <cmath>
#include <cstring>

#include "../host/interrupt.h"

namespace {

// Where the fast exponential stops: e^-700 and 2^-1010 are normal.
constexpr double fast_floor = -700;

// Four lanes: each operation is the same IEEE operation lane by lane (two
// SSE2 registers, or one AVX register in the clone for x86 processors that
// have it; the loader picks the clone).
#if defined(__x86_64__) || defined(__i386__)
#define AVX_CLONE __attribute__((target_clones("avx2", "default")))
#else
#define AVX_CLONE
#endif
typedef double lanes __attribute__((vector_size(4 * sizeof(double))));
typedef int64_t int_lanes __attribute__((vector_size(4 * sizeof(int64_t))));

// e^x within a relative 2^-36 for fast_floor <= x <= 0 (below fast_floor:
// e^fast_floor). x = n ln 2 + r with n the nearest integer to x / ln 2
// (adding 1.5 * 2^52 leaves n in the last bits) and |r| <= 0.35: ln 2 in
// two parts, the first of 32 bits so that n times it is exact; e^r by its
// Taylor polynomial of degree 9 (remainder at most e^|r| r^10 / 10! < 1e-11
// relative), summed in a tree of powers of r (Estrin) rather than Horner's
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

}  // namespace

AVX_CLONE
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

AVX_CLONE
void fast_sums_four(const double* logp, int64_t k, const double max[4], double* sums) {
  const lanes shift = {max[0], max[1], max[2], max[3]};
  lanes total = {0, 0, 0, 0};
  for (int64_t i = 0; i < k; ++i) {
    lanes x = {logp[i], logp[k + i], logp[2 * k + i], logp[3 * k + i]};
    x = x - shift;
    lanes w;
    fast_exp(&x, &w);
    total = total + w;
    std::memcpy(sums + 4 * i, &total, sizeof total);
  }
}
