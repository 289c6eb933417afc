// The batched gamma draws (gamma_batch.h): a shape's route and constants,
// and the scan that hands a window's trials to elements in the order
// rand_gamma (random_variates.cpp) takes them, one element after another.
#include "gamma_batch.h"

#include <cmath>

#include "gamma_rules.h"
#include "gamma_trials.h"

namespace {

// Scalar shape above 1.00001: each trial takes two uniforms and the window
// starts on a trial, so trial k sits at position 2k (slot k). The verdicts
// are read without a branch: an element's candidate is written at every
// trial and kept only when the trial accepts. A stretch never runs more
// trials than the element in progress may still reject, so the
// million-trial cap can only fall on a stretch's last trial.
gamma_batch_step scan_best(const gamma_batch_shape& shape, gamma_batch_carry* carry, int32_t n,
                           gamma_batch_scratch scratch, double* out, int64_t wanted) {
  const double a = shape.a;
  const double* x = scratch.x;
  const int8_t* accepted = scratch.verdict;  // settled by the pass: 0 or 1
  const int32_t slots = n / 2;
  long trials = carry->trials;
  int64_t e = 0;
  int32_t s = 0;
  while (e < wanted && s < slots) {
    // At least one trial a stretch, whatever the carry holds.
    const long room = trials < max_trials ? max_trials - trials : 1;
    const int32_t end = slots - s < room ? slots : s + static_cast<int32_t>(room);
    for (; s < end && e < wanted; ++s) {
      out[e] = x[s];
      e += accepted[s];
      trials = (trials + 1) & -static_cast<long>(!accepted[s]);  // 0 after an acceptance
    }
    if (trials >= max_trials) {  // rand_gamma's NaN once every trial failed
      out[e++] = NAN;
      trials = 0;
    }
  }
  // The floor after the scan, on accepted values only: a rejected trial's
  // x is often below it, and testing it in the scan costs a branch.
  for (int64_t i = 0; i < e; ++i) out[i] = gamma_floored(out[i], a);
  carry->trials = trials;
  return {e, 2 * s};
}

// Shapes in [1e-5, 1]: each element takes its boost uniform first, then
// trials of shape 1 + a from the next position on, so an element's trials
// start one position after the last element's. The pass evaluated every
// position (stride 1); the scan picks those it reaches and runs the logs of
// those the first tests left open. Its branches stay: where the next trial
// sits depends on this one's verdict, and a prediction lets the processor
// run ahead of the logs. It keeps each element's G(1 + a) candidate in out
// and its u in scratch.boost; the floors and powers follow in one pass,
// where the libm calls do not wait on the scan.
gamma_batch_step scan_boosted(const gamma_batch_shape& shape, gamma_batch_carry* carry,
                              const double* u, int32_t n, gamma_batch_scratch scratch, double* out,
                              int64_t wanted) {
  int64_t e = 0;
  int32_t p = 0;
  while (e < wanted) {
    if (!carry->has_boost_u) {
      if (p == n) break;
      carry->boost_u = u[p++];
      carry->has_boost_u = true;
    }
    if (n - p < 2) break;
    const int8_t verdict = scratch.verdict[p];
    const bool accepted = verdict == trial_open ? best_log_test(shape, u + p, scratch.x[p])
                                                : verdict == trial_accepted;
    out[e] = scratch.x[p];
    p += 2;
    if (!accepted && ++carry->trials < max_trials) continue;
    if (!accepted) out[e] = NAN;  // rand_gamma (1 + a) after the cap
    scratch.boost[e++] = carry->boost_u;
    carry->trials = 0;
    carry->has_boost_u = false;
  }
  // G(a) = G(1 + a) * u^(1/a), each floored as rand_gamma floors it.
  for (int64_t i = 0; i < e; ++i) {
    const double g = gamma_floored(out[i], shape.trial_shape);
    out[i] = gamma_floored(g * std::pow(scratch.boost[i], shape.boost_power), shape.a);
  }
  return {e, p};
}

}  // namespace

gamma_batch_shape gamma_batch_shape_of(double a) {
  gamma_batch_shape shape{a, gamma_route::returns_shape, a, 0, 0, 0, 0};
  // rand_gamma's branches, in its order.
  if (std::isnan(a) || a > gamma_huge_shape || a < gamma_tiny_shape) return shape;
  if (a > 1 && a < gamma_exp_shape) {
    shape.route = gamma_route::exponential;
    return shape;
  }
  if (a <= 1) {
    // 1 + a >= 1.00001 here (1 + 1e-5 rounds to 1.00001 itself): the
    // recursion's draw always takes Best's branch.
    shape.route = gamma_route::boosted;
    shape.trial_shape = 1 + a;
    shape.boost_power = 1 / a;
    shape.stride = 1;
  } else {
    shape.route = gamma_route::best;
    shape.stride = 2;
  }
  shape.b = shape.trial_shape - 1;
  shape.c = 3 * shape.trial_shape - 0.75;
  return shape;
}

size_t gamma_batch_scratch_bytes(int32_t window) {
  const size_t slots = window > 0 ? static_cast<size_t>(window) : 1;
  return slots * (2 * sizeof(double) + sizeof(int8_t));
}

// The doubles first, so both arrays of them keep the block's alignment.
gamma_batch_scratch gamma_batch_scratch_in(void* block, int32_t window) {
  const size_t slots = window > 0 ? static_cast<size_t>(window) : 1;
  double* doubles = static_cast<double*>(block);
  return {doubles, reinterpret_cast<int8_t*>(doubles + 2 * slots), doubles + slots};
}

int32_t gamma_batch_needed(const gamma_batch_shape& shape, const gamma_batch_carry& carry) {
  switch (shape.route) {
    case gamma_route::returns_shape: return 0;
    case gamma_route::exponential: return 1;
    case gamma_route::boosted: return carry.has_boost_u ? 2 : 1;
    case gamma_route::best: break;
  }
  return 2;
}

gamma_batch_step gamma_batch_scan(const gamma_batch_shape& shape, gamma_batch_carry* carry,
                                  const double* u, int32_t n, gamma_batch_scratch scratch,
                                  double* out, int64_t wanted) {
  switch (shape.route) {
    case gamma_route::returns_shape:
      for (int64_t e = 0; e < wanted; ++e) out[e] = shape.a;
      return {wanted, 0};
    case gamma_route::exponential: {
      const int32_t m = wanted < n ? static_cast<int32_t>(wanted) : n;
      for (int32_t e = 0; e < m; ++e) out[e] = gamma_floored(-std::log(u[e]), shape.a);
      return {m, m};
    }
    case gamma_route::boosted: return scan_boosted(shape, carry, u, n, scratch, out, wanted);
    case gamma_route::best: break;
  }
  return scan_best(shape, carry, n, scratch, out, wanted);
}
