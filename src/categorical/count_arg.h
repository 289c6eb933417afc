// The counts that categorical_draws and weighted_sample take (draws per
// column, indices per sample, samples): one whole, non-negative number.
#pragma once

#include <cmath>

#include "../host/host.h"

inline constexpr const char* what_not_count = " must be a non-negative integer.";

// The count as a double, checked to be a whole number in [0, Inf) of a
// real numeric or logical class and exactly one element; the caller checks
// its range against what the count sizes.
inline double read_count(const mxArray* a, const char* name) {
  if (!is_real_number_class(a) || mxGetNumberOfElements(a) != 1)
    fail_named("count", name, what_not_count);
  const double count = mxGetScalar(a);
  if (!(count >= 0) || std::isinf(count) || count != std::floor(count))
    fail_named("count", name, what_not_count);
  return count;
}
