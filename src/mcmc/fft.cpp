// Radix-2 fast Fourier transform, iterative: the bit-reversal permutation,
// a first stage of plain sums and differences, then log2 (size) - 1 stages
// of butterflies. The autocovariances of long chains need it; the twiddles
// are made once per call (call_tables).
#include <utility>

#include "mcmc.h"

void fft_in_place(double* data, int64_t size, const double* twiddles, interrupt_check check) {
  for (int64_t i = 1, j = 0; i < size; ++i) {
    if ((i & check_mask) == 0) check();
    int64_t bit = size >> 1;
    for (; (j & bit) != 0; bit >>= 1) j ^= bit;
    j |= bit;
    if (i < j) {
      std::swap(data[2 * i], data[2 * j]);
      std::swap(data[2 * i + 1], data[2 * j + 1]);
    }
  }
  // Length 2: the twiddle is 1.
  for (int64_t i = 0; i + 1 < size; i += 2) {
    double* a = data + 2 * i;
    const double br = a[2];
    const double bi = a[3];
    a[2] = a[0] - br;
    a[3] = a[1] - bi;
    a[0] += br;
    a[1] += bi;
  }
  for (int64_t length = 4; length <= size; length <<= 1) {
    const int64_t half = length / 2;
    const int64_t stride = size / length;  // twiddle k of this stage is table entry k * stride
    for (int64_t block = 0; block < size; block += length) {
      // A check every 2^16 butterflies at most: blocks of a stage are equal.
      if (((block / length) & (check_mask / half)) == 0) check();
      double* a = data + 2 * block;
      double* b = a + 2 * half;
      for (int64_t k = 0; k < half; ++k) {
        const double wr = twiddles[2 * k * stride];
        const double wi = twiddles[2 * k * stride + 1];
        const double tr = wr * b[2 * k] - wi * b[2 * k + 1];
        const double ti = wr * b[2 * k + 1] + wi * b[2 * k];
        b[2 * k] = a[2 * k] - tr;
        b[2 * k + 1] = a[2 * k + 1] - ti;
        a[2 * k] += tr;
        a[2 * k + 1] += ti;
      }
    }
  }
}
