// mcmc_summary's printed table (main thread only: it writes through
// mexPrintf).
#pragma once

#include <cstdint>

#include "mcmc.h"

// The paper's thresholds: R-hat at most 1.01, and bulk and tail ESS of at
// least 100 per chain (400 for four chains).
inline constexpr double max_rhat = 1.01;
// Whether a row misses one of them; a NaN misses none.
bool needs_attention(const double* row, int64_t chains);

// Prints rows (summary_columns values a variable) under a header line, the
// names left-aligned and the numbers right-aligned, each column as wide as
// its widest entry, and a note under the table when a row is marked.
void print_summary(const double* rows, int64_t variables, const char* const* names, int64_t chains);
