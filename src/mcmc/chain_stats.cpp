// R-hat and the effective sample size of split chains, as the appendix of
// Vehtari et al. (2021) states them, with the limits R's posterior package
// (1.4) adds: the lag scan stops before the last five lags, chains of three
// or more split iterations only, and tau at least 1 / log10 (S).
#include <algorithm>
#include <cmath>

#include "mcmc.h"

namespace {

double sample_variance(const double* y, int64_t n) { return chain_variance(y, n, chain_mean(y, n)); }

// The mean over the split chains of their lag-t autocovariances (divisor:
// the chain length), from the chains' deviations from their own means:
// summed directly up to plan.direct_lags, beyond it all lags at once from
// the FFT of the zero-padded chains.
struct autocovariance {
  const double* dev;
  const split_plan& plan;
  const call_tables& tables;
  int64_t chains;
  double* all_lags;   // plan.half values, filled on the first lag past direct_lags
  double* fft;        // 2 * fft_size
  double* power;      // fft_size
  interrupt_check check;
  bool have_all = false;

  double direct(int64_t t) const {
    const int64_t n = plan.half;
    double sum = 0;
    for (int64_t j = 0; j < chains; ++j) sum += lag_products(dev + j * n, n, t);
    return sum / n / chains;
  }

  // The sum of the chains' power spectra, two chains a transform (one as
  // the real and one as the imaginary part: |A_k|^2 + |B_k|^2 is
  // (|Z_k|^2 + |Z_-k|^2) / 2), then one more transform back to lags.
  void all_from_fft() {
    const int64_t n = plan.half;
    const int64_t size = plan.fft_size;
    std::fill(power, power + size, 0.0);
    for (int64_t j = 0; j < chains; j += 2) {
      std::fill(fft, fft + 2 * size, 0.0);
      for (int64_t i = 0; i < n; ++i) fft[2 * i] = dev[j * n + i];
      if (j + 1 < chains)
        for (int64_t i = 0; i < n; ++i) fft[2 * i + 1] = dev[(j + 1) * n + i];
      fft_in_place(fft, size, tables.twiddles, check);
      for (int64_t k = 0; k < size; ++k) {
        const int64_t mirror = (size - k) & (size - 1);
        power[k] += 0.5 * (fft[2 * k] * fft[2 * k] + fft[2 * k + 1] * fft[2 * k + 1] +
                           fft[2 * mirror] * fft[2 * mirror] + fft[2 * mirror + 1] * fft[2 * mirror + 1]);
      }
    }
    // The spectrum is real and even, so its forward transform is size
    // times its inverse, and real.
    for (int64_t k = 0; k < size; ++k) {
      fft[2 * k] = power[k];
      fft[2 * k + 1] = 0;
    }
    fft_in_place(fft, size, tables.twiddles, check);
    for (int64_t t = 0; t < n; ++t) all_lags[t] = fft[2 * t] / size / n / chains;
    have_all = true;
  }

  double at(int64_t t) {
    if (t <= plan.direct_lags) {
      check();
      return direct(t);
    }
    if (!have_all) all_from_fft();
    return all_lags[t];
  }
};

// tau = -1 + 2 (rho_0 + ... + rho_(last-1)) + rho_last of the truncated,
// monotone sequence.
double integrated_time(const double* rho, int64_t last) {
  // R sums rho[1:max_t], and 1:0 is c(1, 0): with no lag pair taken the sum
  // is rho_0 alone, so that tau = 2.
  long double sum = rho[0];
  for (int64_t t = 1; t < last; ++t) sum += rho[t];
  return -1 + 2 * static_cast<double>(sum) + rho[last];
}

}  // namespace

double accurate_mean(const double* x, int64_t n) {
  long double s = 0;
  for (int64_t i = 0; i < n; ++i) s += x[i];
  s /= n;
  if (std::isfinite(static_cast<double>(s))) {
    long double residual = 0;
    for (int64_t i = 0; i < n; ++i) residual += x[i] - s;
    s += residual / n;
  }
  return static_cast<double>(s);
}

double variance_about(const double* y, int64_t n, double mean) {
  long double squares = 0;
  for (int64_t i = 0; i < n; ++i) {
    const double d = y[i] - mean;
    squares += d * d;
  }
  return static_cast<double>(squares / (n - 1));
}

double split_rhat(const double* y, const split_plan& plan, double* means) {
  const int64_t n = plan.half;
  const int64_t chains = 2 * plan.chains;
  if (range_below_eps(y, n * chains)) return NAN;
  double within = 0;
  for (int64_t j = 0; j < chains; ++j) {
    means[j] = chain_mean(y + j * n, n);
    within += chain_variance(y + j * n, n, means[j]);
  }
  const double var_within = within / chains;
  const double var_between = n * sample_variance(means, chains);
  return std::sqrt((var_between / var_within + n - 1) / n);
}

double split_ess(const double* y, const split_plan& plan, const call_tables& tables, double* work,
                 interrupt_check check) {
  const int64_t n = plan.half;
  const int64_t chains = 2 * plan.chains;
  const int64_t total = n * chains;
  if (n < 3 || range_below_eps(y, total)) return NAN;
  double* means = work;
  double* dev = means + chains;
  double* rho = dev + total;
  for (int64_t j = 0; j < chains; ++j) {
    means[j] = chain_mean(y + j * n, n);
    for (int64_t i = 0; i < n; ++i) dev[j * n + i] = y[j * n + i] - means[j];
  }
  autocovariance acov{dev, plan, tables, chains, rho + n, rho + 2 * n, rho + 2 * n + 2 * plan.fft_size, check};
  // The operations in R's order, so that the roundings agree too.
  const double mean_var = acov.at(0) * n / (n - 1);
  const double var_plus = mean_var * (n - 1) / n + sample_variance(means, chains);
  const auto rho_at = [&](int64_t t) { return 1 - (mean_var - acov.at(t)) / var_plus; };

  // Geyer's initial positive sequence: lag pairs while their sum stays
  // positive, and not into the last five lags.
  std::fill(rho, rho + n, 0.0);
  rho[0] = 1;
  double even = 1;
  double odd = rho_at(1);
  rho[1] = odd;
  int64_t t = 0;
  while (t < n - 5 && !std::isnan(even + odd) && even + odd > 0) {
    t += 2;
    even = rho_at(t);
    odd = rho_at(t + 1);
    if (even + odd >= 0) {
      rho[t] = even;
      rho[t + 1] = odd;
    }
  }
  const int64_t last = t;
  if (even > 0) rho[last] = even;
  // ... made monotone: no pair above the one before it. The last pair
  // examined stays as it is.
  for (t = 2; t <= last - 2; t += 2) {
    if (rho[t] + rho[t + 1] > rho[t - 2] + rho[t - 1]) {
      rho[t] = (rho[t - 2] + rho[t - 1]) / 2;
      rho[t + 1] = rho[t];
    }
  }
  const double tau = std::max(integrated_time(rho, last), 1 / std::log10(static_cast<double>(total)));
  return total / tau;
}
