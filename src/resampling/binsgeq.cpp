#include "binsgeq.h"

double binsgeq(const double* values, int32_t n, double x) {
  if (x <= values[0]) return 1;
  // Invariant: values[lo] < x <= values[hi].
  int32_t lo = 0;
  int32_t hi = n - 1;
  while (hi - lo > 1) {
    const int32_t mid = lo + (hi - lo) / 2;  // (hi + lo) / 2 without overflow
    if (x > values[mid]) lo = mid; else hi = mid;
  }
  return hi + 1;
}
