// Cumulative weight search shared by the resamplers that search.
#pragma once

#include <cstdint>

// 1-based position of the first of values[0..n-1] that is >= x, for values
// non-decreasing, n >= 1 and values[n-1] >= x (assumed, never read when
// n >= 2: every x above values[n-2] gives n). Equal entries give the first
// of them, so an entry equal to its predecessor (a zero weight) is never
// returned. About log2(n) + 1 comparisons.
double binsgeq(const double* values, int32_t n, double x);

// A guide table over the same values, for many searches of x in (0, 1):
// start[b] is the first position whose value reaches b / buckets, so a
// search begins near its answer and takes O(1) steps on average whatever
// the weights. It gives binsgeq's answer for every x, bit for bit: any x
// outside (0, 1), or one whose bucket rounding cannot be trusted, is handed
// to binsgeq itself.
struct search_guide {
  const double* values;
  int32_t n;
  int32_t* start;   // `buckets` entries, owned by the caller
  int32_t buckets;
};

// Fills guide->start; values must be non-decreasing.
void build_guide(search_guide* guide);

inline double guided_binsgeq(const search_guide& guide, double x) {
  if (!(x > 0 && x < 1)) return binsgeq(guide.values, guide.n, x);
  int32_t b = static_cast<int32_t>(x * guide.buckets);
  if (b >= guide.buckets) b = guide.buckets - 1;
  int32_t i = guide.start[b];
  // x * buckets may round up into the next bucket; then the start may lie
  // past the answer.
  if (i > 0 && guide.values[i - 1] >= x) return binsgeq(guide.values, guide.n, x);
  const int32_t last = guide.n - 1;
  // Most searches end within two steps: those are taken without a branch.
  i += static_cast<int32_t>(i < last) & static_cast<int32_t>(guide.values[i] < x);
  i += static_cast<int32_t>(i < last) & static_cast<int32_t>(guide.values[i] < x);
  for (int steps = 0; i < last && guide.values[i] < x; ++i) {
    // A bucket crowded with values (a run of tiny weights) is searched by
    // halving rather than step by step.
    if (++steps == 16) return i + binsgeq(guide.values + i, guide.n - i, x);
  }
  return i + 1;
}
