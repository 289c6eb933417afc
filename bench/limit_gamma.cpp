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

double at(const mxArray* p, int64_t i) {
  return mxGetNumberOfElements(p) == 1 ? mxGetScalar(p) : mxGetPr(p)[i];
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

// The pair each element accepts, for one shape a > 1 shared by all: every
// trial's outcome first, over threads and without a scan; then the next
// accepted pair at or after each position, from the back; then each
// element's pair from its predecessor's, a load apiece. Pairs start at
// every position when each element first takes one uniform of its own
// (stride 1, Stuart's boost), else at even positions only (stride 2).
bool accepted_pairs(int threads, double a, const double* u, int64_t size, int64_t count, int stride,
                    std::vector<int64_t>* pair) {
  const int64_t positions = size - 1;
  std::vector<char> accepted(positions, 0);
  const double b = a - 1;
  const double c = 3 * a - 0.75;
  split(threads, (positions + stride - 1) / stride, [&](int64_t begin, int64_t end) {
    // The first test, branch-free so that it vectorises: 1 accepted, 0
    // rejected (x < 0), 2 for the logarithm's test.
    for (int64_t k = begin; k < end; ++k) {
      const double first = u[k * stride], second = u[k * stride + 1];
      const double w = first * (1 - first);
      const double y = std::sqrt(c / w) * (first - 0.5);
      const double x = b + y;
      const double z = 64 * w * w * w * second * second;
      accepted[k * stride] = x < 0 ? 0 : 1 - (2 * y * y) / x >= z ? 1 : 2;
    }
    for (int64_t k = begin; k < end; ++k) {
      const int64_t j = k * stride;
      if (accepted[j] == 2) accepted[j] = best_trial(a, u[j], u[j + 1]).accepted;
    }
  });
  std::vector<int64_t> next_accepted(positions + 2, size);
  for (int64_t j = positions - 1; j >= 0; --j) next_accepted[j] = accepted[j] ? j : next_accepted[j + 2];
  int64_t next = 0;
  for (int64_t i = 0; i < count; ++i) {
    if (stride == 1) ++next;  // the element's own uniform
    if (next >= positions) return false;
    (*pair)[i] = next_accepted[next];
    if ((*pair)[i] >= positions) return false;
    next = (*pair)[i] + 2;
  }
  return true;
}

double job_value(gamma_job job, const mxArray* p1, const mxArray* p2, int64_t i, double g,
                 const double* z) {
  if (job == gamma_job::invchi2) {
    const double nu = at(p2, i);
    return (at(p1, i) * nu / 2) / g;
  }
  if (job == gamma_job::mean_dof) return ((g * 2) * at(p1, i)) / at(p2, i);
  return (z[i] * std::sqrt(at(p1, i))) / std::sqrt(g * 2);
}

}  // namespace

gamma_run gamma_draws(gamma_job job, int threads, int64_t count, const mxArray* p1, const mxArray* p2,
                      const double* u, int64_t u_size, const double* z, double* y) {
  const mxArray* nu_param = job == gamma_job::student_t ? p1 : p2;
  const bool shared = mxGetNumberOfElements(nu_param) == 1;
  const double nu = at(nu_param, 0);
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
      const double nu_i = at(nu_param, i);
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
  std::vector<int64_t> pair(count);
  if (!accepted_pairs(threads, boosted ? 1 + a : a, u, u_size, count, boosted ? 1 : 2, &pair))
    return gamma_run{0, 0, true};
  split(threads, count, [&](int64_t begin, int64_t end) {
    for (int64_t i = begin; i < end; ++i) {
      const int64_t j = pair[i];
      double g = best_trial(boosted ? 1 + a : a, u[j], u[j + 1]).x;
      // The element's own uniform sits just before its first trial, which
      // is its predecessor's pair + 2, or position 0.
      if (boosted) g = floored(g, 1 + a) * std::pow(u[i == 0 ? 0 : pair[i - 1] + 2], 1 / a);
      y[i] = job_value(job, p1, p2, i, floored(g, a), z);
    }
  });
  run.used_u = pair[count - 1] + 2;
  return run;
}
