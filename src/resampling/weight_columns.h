// Sets of unnormalised log-weights, one per column of an array (a vector
// is one set), as normalized_weights and categorical_draws read them: -Inf
// is a zero weight, NaN and +Inf are refused, and every set needs one
// weight above zero. The messages name the array ("logw", "logp") and the
// first column at fault.
#pragma once

#include <cstdint>

#include "../host/host.h"

struct weight_columns {
  const double* logw;
  int64_t n;     // weights per set
  int64_t sets;  // 0 for an empty array
};

// The array's class and shape: a real double array of at most two
// dimensions; an array with no element holds no set.
weight_columns read_weight_columns(const mxArray* a, const char* name);

// The largest entry of set `column`; raises the error that names the
// column for NaN, +Inf or no entry above -Inf. Asks for Ctrl-C within long
// sets. Main thread only.
double checked_column_max(const weight_columns& s, int64_t column, const char* name);

// Checks every set in order, as checked_column_max does, and returns the
// first set's largest entry (-Inf when there is no set).
double check_weight_columns(const weight_columns& s, const char* name);

// The largest of n >= 1 values already checked (no NaN): no host call, so
// worker threads may use it.
inline double column_max(const double* logw, int64_t n) {
  double max = logw[0];
  for (int64_t i = 1; i < n; ++i) max = logw[i] > max ? logw[i] : max;
  return max;
}
