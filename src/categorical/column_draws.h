// The draws of one column of categorical_draws, whose contract fixes them:
// with m the column's largest entry, w_k = exp (logp_k - m) (the C
// library's exp) and C_k their running sums from the first row, the draw
// of uniform u is the first k with C_k > u * C_K, or, where there is none,
// the last k with w_k > 0.
#pragma once

#include <cstdint>

// Replaces each of the m uniforms at draws[0..m) by its 1-based category
// of the column logp[0..k) (k >= 1, checked: no NaN or +Inf, one entry
// above -Inf), using sums[0..k) as room for the running sums. No host
// call, except that with `polls` it leaves for Ctrl-C as it goes (main
// thread only, no workers running).
void draw_column(const double* logp, int64_t k, double* sums, double* draws, int32_t m, bool polls);
