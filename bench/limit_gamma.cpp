#include "limit_gamma.h"

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

namespace {

constexpr double tiny_shape = 1e-5;      // below: the shape itself
constexpr double exp_shape = 1.00001;    // [1, this): one exponential
constexpr double huge_shape = 1e300;     // above (and NaN): the shape itself
constexpr double floor_value = 1e-15;
constexpr double sqrt2 = 1.4142135623730951;

// A parameter: one value for all elements, or one per element.
struct param {
  const double* values;
  double scalar;
  double at(int64_t i) const { return values != nullptr ? values[i] : scalar; }
};

param param_of(const mxArray* p) {
  return mxGetNumberOfElements(p) == 1 ? param{nullptr, mxGetScalar(p)} : param{mxGetPr(p), 0};
}

// Best's trial on the pair (u, v) for shape a > 1: x, and whether it is
// accepted. The first test needs no logarithm; the second is taken only
// where the first fails and x >= 0 (NaN x fails everything).
struct trial {
  double x;
  bool accepted;
};

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

double floored(double r, double a) {
  if (r < floor_value && r < a) return a < floor_value ? a : floor_value;
  return r;
}

// One gamma draw of shape a from u[*next], trial by trial: the per-element
// path, for shapes that change from element to element.
double gamma_at(double a, const double* u, int64_t size, int64_t* next, bool* failed) {
  if (std::isnan(a) || a > huge_shape) return a;
  if (a < tiny_shape) return a;
  if (a <= 1) {
    if (*next >= size) return *failed = true, NAN;
    const double first = u[(*next)++];
    const double g = gamma_at(1 + a, u, size, next, failed);
    return floored(g * std::pow(first, 1 / a), a);
  }
  if (a < exp_shape) {
    if (*next >= size) return *failed = true, NAN;
    return floored(-std::log(u[(*next)++]), a);
  }
  for (;;) {
    if (*next + 2 > size) return *failed = true, NAN;
    const trial t = best_trial(a, u[*next], u[*next + 1]);
    *next += 2;
    if (t.accepted) return floored(t.x, a);
  }
}

// Every trial's outcome at positions [begin, end) taken `stride` apart,
// over threads: the first test branch-free so that it vectorises (0 for
// x < 0, 1 accepted, 2 for the logarithm's test), then the logarithm's
// test only where that one fails and x >= 0 (as in the per-element path,
// a NaN x fails every test).
template <int stride>
void trial_outcomes(int threads, double a, const double* u, int64_t begin, int64_t end,
                    double* xs, char* accepted) {
  split(threads, (end - begin + stride - 1) / stride, [=](int64_t first, int64_t last) {
    const double b = a - 1;
    const double c = 3 * a - 0.75;
    const double* pair = u + begin + first * stride;
    double* x_out = xs + begin + first * stride;
    char* outcome = accepted + begin + first * stride;
    for (int64_t k = 0; k < last - first; ++k) {
      const double w = pair[k * stride] * (1 - pair[k * stride]);
      const double y = std::sqrt(c / w) * (pair[k * stride] - 0.5);
      const double x = b + y;
      const double z = 64 * w * w * w * pair[k * stride + 1] * pair[k * stride + 1];
      const int kept = !(x < 0);
      const int squeezed = 1 - (2 * y * y) / x >= z;
      x_out[k * stride] = x;
      outcome[k * stride] = static_cast<char>(kept * (2 - squeezed));
    }
    for (int64_t k = 0; k < last - first; ++k) {
      if (outcome[k * stride] == 2)
        outcome[k * stride] = best_trial(a, pair[k * stride], pair[k * stride + 1]).accepted;
    }
  });
}

// The accepted pair of each element, for one shape a > 1 shared by all:
// trial outcomes in rounds sized by the elements left, and a scan. Without
// the boost every element's trials start at even positions and the
// accepted pairs, in order, are the elements' (stride 2); with it each
// element first takes one uniform of its own, so pairs start anywhere
// (stride 1) and the scan looks for the next accepted one of its parity.
bool accepted_pairs(int threads, double a, const double* u, int64_t size, int64_t count, int stride,
                    std::vector<double>* xs, std::vector<int64_t>* pair) {
  const int64_t positions = size - 1;
  std::vector<char> accepted(positions, 0);
  int64_t computed = 0, next = 0, found = 0;
  while (found < count) {
    if (computed == positions) return false;
    const int64_t want = std::min(positions, computed + 4096 + (count - found) * (stride == 2 ? 4 : 5));
    if (stride == 2) trial_outcomes<2>(threads, a, u, computed, want, xs->data(), accepted.data());
    else trial_outcomes<1>(threads, a, u, computed, want, xs->data(), accepted.data());
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

double job_value(gamma_job job, const param& p1, const param& p2, int64_t i, double g,
                 const double* z) {
  if (job == gamma_job::invchi2) {
    const double nu = p2.at(i);
    return (p1.at(i) * nu / 2) / g;
  }
  if (job == gamma_job::mean_dof) return ((g * 2) * p1.at(i)) / p2.at(i);
  return (z[i] * std::sqrt(p1.at(i))) / std::sqrt(g * 2);
}

}  // namespace

gamma_run gamma_draws(gamma_job job, int threads, int64_t count, const mxArray* first,
                      const mxArray* second, const double* u, int64_t u_size, const double* z, double* y) {
  const param p1 = param_of(first);
  const param p2 = param_of(second);
  const param nu_param = job == gamma_job::student_t ? p1 : p2;
  const bool shared = nu_param.values == nullptr;
  const double nu = nu_param.at(0);
  gamma_run run{0, job == gamma_job::student_t ? count : 0, false};
  if (job == gamma_job::student_t && shared && (nu == 1 || nu == 2)) {
    // Cauchy from two normals, or t(2) by inversion of one uniform.
    if (nu == 1) run.used_z = 2 * count; else run.used_u = count;
    split(threads, count, [&](int64_t begin, int64_t end) {
      for (int64_t i = begin; i < end; ++i)
        y[i] = nu == 1 ? z[i] / z[count + i] : sqrt2 * (u[i] - 0.5) / std::sqrt(u[i] - u[i] * u[i]);
    });
    return run;
  }
  const double a = nu / 2;
  const bool best = a >= exp_shape && a <= huge_shape;
  const bool boosted = a >= tiny_shape && a <= 1 && 1 + a >= exp_shape;
  if (!shared || !(best || boosted)) {
    // Shapes per element, or a shared shape off Best's path: trial by trial.
    int64_t next = 0, second = count;
    for (int64_t i = 0; i < count && !run.failed; ++i) {
      const double nu_i = nu_param.at(i);
      if (job == gamma_job::student_t && nu_i == 1) {
        y[i] = z[i] / z[second++];
      } else if (job == gamma_job::student_t && nu_i == 2) {
        const double v = u[next++];
        y[i] = sqrt2 * (v - 0.5) / std::sqrt(v - v * v);
      } else {
        y[i] = job_value(job, p1, p2, i, gamma_at(nu_i / 2, u, u_size, &next, &run.failed), z);
      }
    }
    run.used_u = next;
    run.used_z = job == gamma_job::student_t ? second : 0;
    return run;
  }
  std::vector<int64_t> pair(count + 1);
  std::vector<double> xs(u_size);
  if (!accepted_pairs(threads, boosted ? 1 + a : a, u, u_size, count, boosted ? 1 : 2, &xs, &pair))
    return gamma_run{0, 0, true};
  split(threads, count, [&](int64_t begin, int64_t end) {
    for (int64_t i = begin; i < end; ++i) {
      double g = xs[pair[i]];
      // The element's own uniform sits just before its first trial, which
      // is its predecessor's pair + 2, or position 0.
      if (boosted) g = floored(g, 1 + a) * std::pow(u[i == 0 ? 0 : pair[i - 1] + 2], 1 / a);
      y[i] = job_value(job, p1, p2, i, floored(g, a), z);
    }
  });
  run.used_u = pair[count - 1] + 2;
  return run;
}
