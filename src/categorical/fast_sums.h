// Running sums of w_k = e^(logp_k - max) from a fast exponential, for
// column_draws.cpp, which takes a draw from them only where their error
// cannot change it. Relative to exp, a weight is off by at most
// fast_exp_error, and a weight below e^-700 counts as e^-700: 2^31 of them
// add less than 1e-294, and a category of weight 0 still has too narrow a
// part of the sums for a draw to be taken from them. No host call, except
// that with `polls` fast_sums leaves for Ctrl-C (main thread only).
#pragma once

#include <cstdint>

inline constexpr double fast_exp_error = 0x1p-36;

// The sums of one column logp[0..k) into sums[0..k); returns the total.
double fast_sums(const double* logp, int64_t k, double max, double* sums, bool polls);

// The sums of four columns side by side (column l at logp + l * k, its
// largest entry max[l]), row by row: sum i of column l goes to
// sums[4 * i + l]. For short columns, whose sums one by one would wait on
// each other.
void fast_sums_four(const double* logp, int64_t k, const double max[4], double* sums);
