// The shape ranges, floor and trial cap that every gamma draw of the
// library obeys, rand_gamma one value at a time and the batched draws of
// gamma_batch.h alike: one definition, so the two cannot drift apart.
#pragma once

inline constexpr double gamma_tiny_shape = 1e-5;   // below: the shape itself is returned
inline constexpr double gamma_exp_shape = 1.00001;  // (1, this): treated as shape 1
inline constexpr double gamma_floor = 1e-15;
// Above this the trial's sqrt(c / w) can overflow and every trial fails; the
// gamma's spread there is below 1e-150 of its mean, so the shape is returned.
inline constexpr double gamma_huge_shape = 1e300;
// A working generator never rejects this many trials in a row (Best's
// acceptance rate is a third just above shape 1, higher for larger shapes);
// a broken one, or a beta whose every q rounds to 0 or 1, must not hang the
// session.
inline constexpr long max_trials = 1000000;

// Keeps results of shapes >= 1e-5 away from 0, where callers divide.
inline double gamma_floored(double r, double a) {
  if (r < gamma_floor && r < a) return a < gamma_floor ? a : gamma_floor;
  return r;
}
