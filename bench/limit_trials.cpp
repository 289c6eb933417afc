#include <algorithm>
#include <cmath>

#include "limit_gamma.h"

// Best's trial on the pair (u, v) for shape a > 1: x, and whether it is
// accepted. The first test needs no logarithm; the second is taken only
// where the first fails and x >= 0 (NaN x fails everything).
double trial_x(double a, double u) {
  return (a - 1) + std::sqrt((3 * a - 0.75) / (u * (1 - u))) * (u - 0.5);
}

trial best_trial(double a, double u, double v) {
  const double b = a - 1;
  const double c = 3 * a - 0.75;
  const double w = u * (1 - u);
  const double y = std::sqrt(c / w) * (u - 0.5);
  const double x = b + y;
  const double z = 64 * w * w * w * v * v;
  if (x < 0) return trial{x, false};
  if (1 - (2 * y * y) / x >= z) return trial{x, true};
  return trial{x, 2 * (b * std::log(x / b) - y) >= std::log(z)};
}

namespace {

// Every trial's outcome at positions [begin, end) taken `stride` apart,
// over threads: the first test branch-free so that it vectorises (0 for
// x < 0, 1 accepted, 2 for the logarithm's test), then the logarithm's
// test only where that one fails and x >= 0 (as in the per-element path,
// a NaN x fails every test).
template <int stride>
void trial_outcomes(int threads, double a, const double* u, int64_t begin, int64_t end,
                    char* accepted) {
  split(threads, (end - begin + stride - 1) / stride, [=](int64_t first, int64_t last) {
    const double b = a - 1;
    const double c = 3 * a - 0.75;
    const double* pair = u + begin + first * stride;
    char* outcome = accepted + begin + first * stride;
    for (int64_t k = 0; k < last - first; ++k) {
      const double w = pair[k * stride] * (1 - pair[k * stride]);
      const double y = std::sqrt(c / w) * (pair[k * stride] - 0.5);
      const double x = b + y;
      const double z = 64 * w * w * w * pair[k * stride + 1] * pair[k * stride + 1];
      const int kept = !(x < 0);
      const int squeezed = 1 - (2 * y * y) / x >= z;
      outcome[k * stride] = static_cast<char>(kept * (2 - squeezed));
    }
    for (int64_t k = 0; k < last - first; ++k) {
      if (outcome[k * stride] == 2)
        outcome[k * stride] = best_trial(a, pair[k * stride], pair[k * stride + 1]).accepted;
    }
  });
}

}  // namespace

// The accepted pair of each element, for one shape a > 1 shared by all:
// trial outcomes in rounds sized by the elements left, and a scan. Without
// the boost every element's trials start at even positions and the
// accepted pairs, in order, are the elements' (stride 2); with it each
// element first takes one uniform of its own, so pairs start anywhere
// (stride 1) and the scan looks for the next accepted one of its parity.
bool accepted_pairs(int threads, double a, const double* u, int64_t size, int64_t count, int stride,
                    std::vector<int64_t>* pair) {
  const int64_t positions = size - 1;
  std::vector<char> accepted(positions, 0);
  int64_t computed = 0, next = 0, found = 0;
  while (found < count) {
    if (computed == positions) return false;
    const int64_t want = std::min(positions, computed + 4096 + (count - found) * (stride == 2 ? 4 : 5));
    if (stride == 2) trial_outcomes<2>(threads, a, u, computed, want, accepted.data());
    else trial_outcomes<1>(threads, a, u, computed, want, accepted.data());
    if (stride == 2) {
      // Branch-free: each position is written, and kept when accepted.
      for (int64_t j = computed; j < want && found < count; j += 2) {
        (*pair)[found] = j;
        found += accepted[j];
      }
    } else {
      for (; found < count; ++found) {
        int64_t j = next + 1;  // after the element's own uniform
        while (j < want && !accepted[j]) j += 2;
        if (j >= want) break;
        (*pair)[found] = j;
        next = j + 2;
      }
    }
    computed = want;
  }
  return true;
}

