// Cumulative weight search shared by the resamplers that search.
#pragma once

#include <cstdint>

// 1-based position of the first of values[0..n-1] that is >= x, for values
// non-decreasing, n >= 1 and values[n-1] >= x (assumed, never read when
// n >= 2: every x above values[n-2] gives n). Equal entries give the first
// of them, so an entry equal to its predecessor (a zero weight) is never
// returned. About log2(n) + 1 comparisons.
double binsgeq(const double* values, int32_t n, double x);
