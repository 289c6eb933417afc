// What every variable of one call shares: the split chains' plan, where
// each draw goes among them, the normal scores of the ranks and the FFT's
// twiddles. Made on the main thread in host memory, which the call's end
// (or an error, or Ctrl-C) releases.
#include <algorithm>
#include <cmath>

#include "../host/interrupt.h"
#include "mcmc.h"
#include "mex.h"

namespace {

constexpr double two_pi = 6.283185307179586476925;

}  // namespace

split_plan make_split_plan(int64_t iterations, int64_t chains) {
  split_plan plan{iterations, chains, iterations / 2, iterations - iterations / 2, 0, 2, 0};
  plan.split_draws = 2 * chains * plan.half;
  int log2_size = 1;
  while (plan.fft_size < 2 * plan.half) {
    plan.fft_size *= 2;
    ++log2_size;
  }
  // A lag summed directly costs split_draws products; all lags by FFT cost
  // (transforms) x (fft_size / 2) x log2 (fft_size) butterflies, each
  // worth about lag_cost_ratio products.
  constexpr double lag_cost_ratio = 4;
  const double transforms = static_cast<double>((2 * chains + 1) / 2 + 1);
  const double fft_cost = lag_cost_ratio * transforms * (plan.fft_size / 2) * log2_size;
  plan.direct_lags = std::max<int64_t>(8, static_cast<int64_t>(fft_cost / std::max<int64_t>(1, plan.split_draws)));
  return plan;
}

call_tables make_tables(const split_plan& plan) {
  const int64_t n = plan.iterations * plan.chains;
  int64_t* split_index = static_cast<int64_t*>(mxMalloc(static_cast<size_t>(n + 1) * sizeof(int64_t)));
  for (int64_t c = 0; c < plan.chains; ++c) {
    for (int64_t i = 0; i < plan.iterations; ++i) {
      poll_interrupt(c * plan.iterations + i);
      split_index[c * plan.iterations + i] = i < plan.half ? c * plan.half + i
                                             : i >= plan.second ? (plan.chains + c) * plan.half + i - plan.second
                                                                : -1;
    }
  }
  const int64_t s = plan.split_draws;
  double* scores = static_cast<double*>(mxMalloc(static_cast<size_t>(2 * s + 1) * sizeof(double)));
  // (r - 3/8) / (S + 1/4) with both operands exact, so one rounding.
  for (int64_t k = 2; k <= 2 * s; ++k) {
    poll_interrupt(k);
    scores[k] = normal_quantile((k / 2.0 - 0.375) / (s + 0.25));
  }
  double* twiddles = static_cast<double*>(mxMalloc(static_cast<size_t>(plan.fft_size) * sizeof(double)));
  for (int64_t j = 0; j < plan.fft_size / 2; ++j) {
    poll_interrupt(j);
    const double angle = -two_pi * static_cast<double>(j) / static_cast<double>(plan.fft_size);
    twiddles[2 * j] = std::cos(angle);
    twiddles[2 * j + 1] = std::sin(angle);
  }
  return call_tables{split_index, scores, twiddles};
}

void free_tables(const call_tables& tables) {
  mxFree(const_cast<int64_t*>(tables.split_index));
  mxFree(const_cast<double*>(tables.normal_scores));
  mxFree(const_cast<double*>(tables.twiddles));
}
