// The draws of one column of categorical_draws, whose contract fixes them:
// with m the column's largest entry, w_k = exp (logp_k - m) (the C
// library's exp) and C_k their running sums from the first row, the draw
// of uniform u is the first k with C_k > u * C_K, or, where there is none,
// the last k with w_k > 0.
#pragma once

#include <cstdint>

// Columns up to this long are drawn four at a time, side by side.
inline constexpr int64_t four_columns_most = 256;

// The doubles of room that draw_columns needs for columns of k entries.
int64_t column_room(int64_t k);

// The draws of `count` consecutive columns of k >= 1 entries (column j at
// logp + j * k, checked: no NaN or +Inf, one entry above -Inf): each of
// the m uniforms at draws + j * m replaced by its 1-based category, using
// room[0..column_room (k)) for the running sums. No host call, except that
// with `polls` it leaves for Ctrl-C as it goes (main thread only, no
// workers running).
void draw_columns(const double* logp, int64_t k, int64_t count, double* room, double* draws,
                  int32_t m, bool polls);
