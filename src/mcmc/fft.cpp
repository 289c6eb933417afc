// Radix-2 fast Fourier transform, iterative: the bit-reversal permutation,
// then log2 (size) stages of butterflies. The autocovariances of long
// chains need it; the twiddles are made once per call (call_tables).
#include <utility>

#include "mcmc.h"

void fft_in_place(double* data, int64_t size, const double* twiddles, interrupt_check check) {
  for (int64_t i = 1, j = 0; i < size; ++i) {
    int64_t bit = size >> 1;
    for (; (j & bit) != 0; bit >>= 1) j ^= bit;
    j |= bit;
    if (i < j) {
      std::swap(data[2 * i], data[2 * j]);
      std::swap(data[2 * i + 1], data[2 * j + 1]);
    }
  }
  int64_t done = 0;
  for (int64_t length = 2; length <= size; length <<= 1) {
    const int64_t stride = size / length;  // twiddle j of this stage is table entry j * stride
    for (int64_t block = 0; block < size; block += length) {
      for (int64_t k = 0; k < length / 2; ++k) {
        if ((++done & check_mask) == 0) check();
        const double wr = twiddles[2 * k * stride];
        const double wi = twiddles[2 * k * stride + 1];
        double* a = data + 2 * (block + k);
        double* b = data + 2 * (block + k + length / 2);
        const double tr = wr * b[0] - wi * b[1];
        const double ti = wr * b[1] + wi * b[0];
        b[0] = a[0] - tr;
        b[1] = a[1] - ti;
        a[0] += tr;
        a[1] += ti;
      }
    }
  }
}
