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

void build_guide(search_guide* guide) {
  // Each value v fills the buckets up to the last one whose lower end
  // v reaches, about v * buckets: one multiplication per value and no
  // search. Rounding here can only make a search start later than it may,
  // which the search detects.
  const double scale = guide->buckets;
  int64_t filled = 0;
  for (int32_t i = 0; i < guide->n && filled < guide->buckets; ++i) {
    const double reach = guide->values[i] * scale;
    // 1 + floor(reach) buckets start at or before i, as far as there are.
    int64_t upto = reach >= scale ? guide->buckets : static_cast<int64_t>(reach) + 1;
    if (!(reach >= 0)) upto = 0;
    // Values fill a few buckets each: four are written at once and the
    // next value writes over the ones not due, with no branch to mispredict.
    int64_t k = filled;
    if (filled + 4 <= guide->buckets) {
      for (int j = 0; j < 4; ++j) guide->start[filled + j] = i;
      k += 4;
    }
    for (; k < upto; ++k) guide->start[k] = i;
    if (upto > filled) filled = upto;
  }
  for (; filled < guide->buckets; ++filled) guide->start[filled] = guide->n - 1;
}
