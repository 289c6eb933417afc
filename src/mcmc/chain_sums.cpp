// The sums over split chains that the diagnostics repeat for every
// variable: four partial sums over the elements i mod 4, so that the
// additions do not wait on one another, added as (s0 + s1) + (s2 + s3).
// Their rounding differs from one running sum by a few units in the last
// place of the sum, which no diagnostic's eighth digit can see.
#include "mcmc.h"

namespace {

template <class Term>
double four_way_sum(int64_t n, const Term& term) {
  double s[4] = {0, 0, 0, 0};
  int64_t i = 0;
  for (; i + 4 <= n; i += 4) {
    s[0] += term(i);
    s[1] += term(i + 1);
    s[2] += term(i + 2);
    s[3] += term(i + 3);
  }
  for (; i < n; ++i) s[0] += term(i);
  return (s[0] + s[1]) + (s[2] + s[3]);
}

}  // namespace

double lag_products(const double* d, int64_t n, int64_t t) {
  return four_way_sum(n - t, [=](int64_t i) { return d[i] * d[i + t]; });
}

double chain_mean(const double* y, int64_t n) {
  const double first = four_way_sum(n, [=](int64_t i) { return y[i]; }) / n;
  return first + four_way_sum(n, [=](int64_t i) { return y[i] - first; }) / n;
}

double chain_variance(const double* y, int64_t n, double mean) {
  return four_way_sum(n, [=](int64_t i) { return (y[i] - mean) * (y[i] - mean); }) / (n - 1);
}

bool range_below_eps(const double* y, int64_t n) {
  double lo[4] = {y[0], y[0], y[0], y[0]};
  double hi[4] = {y[0], y[0], y[0], y[0]};
  int64_t i = 0;
  for (; i + 4 <= n; i += 4) {
    for (int k = 0; k < 4; ++k) {
      lo[k] = y[i + k] < lo[k] ? y[i + k] : lo[k];
      hi[k] = y[i + k] > hi[k] ? y[i + k] : hi[k];
    }
  }
  for (; i < n; ++i) {
    lo[0] = y[i] < lo[0] ? y[i] : lo[0];
    hi[0] = y[i] > hi[0] ? y[i] : hi[0];
  }
  for (int k = 1; k < 4; ++k) {
    lo[0] = lo[k] < lo[0] ? lo[k] : lo[0];
    hi[0] = hi[k] > hi[0] ? hi[k] : hi[0];
  }
  return hi[0] - lo[0] < 2.220446049250313e-16;
}
