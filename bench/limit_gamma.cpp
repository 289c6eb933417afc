#include "limit_gamma.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double tiny_shape = 1e-5;      // below: the shape itself
constexpr double exp_shape = 1.00001;    // [1, this): one exponential
constexpr double huge_shape = 1e300;     // above (and NaN): the shape itself
constexpr double floor_value = 1e-15;
constexpr double sqrt2 = 1.4142135623730951;

double floored(double r, double a) {
  if (r < floor_value && r < a) return a < floor_value ? a : floor_value;
  return r;
}

// One gamma draw of shape a from u[*next], trial by trial: the per-element
// path, for shapes that change from element to element.
double gamma_at(double a, const double* u, int64_t size, int64_t* next, bool* failed) {
  if (std::isnan(a) || a > huge_shape || a < tiny_shape) return a;
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

// One call's job, parameters and values.
struct job_call {
  gamma_job job;
  param p1, p2, nu;
  int threads;
  int64_t count;
  const double* u;
  int64_t u_size;
  const double* z;
  double* y;
};

double job_value(const job_call& c, int64_t i, double g) {
  if (c.job == gamma_job::invchi2) {
    const double nu = c.p2.at(i);
    return (c.p1.at(i) * nu / 2) / g;
  }
  if (c.job == gamma_job::mean_dof) return ((g * 2) * c.p1.at(i)) / c.p2.at(i);
  return (c.z[i] * std::sqrt(c.p1.at(i))) / std::sqrt(g * 2);
}

// Shapes per element, or a shared shape off Best's path: trial by trial.
gamma_run element_by_element(const job_call& c) {
  gamma_run run{0, 0, false};
  int64_t next = 0, second = c.count;
  for (int64_t i = 0; i < c.count && !run.failed; ++i) {
    const double nu = c.nu.at(i);
    if (c.job == gamma_job::student_t && nu == 1) {
      c.y[i] = c.z[i] / c.z[second++];
    } else if (c.job == gamma_job::student_t && nu == 2) {
      const double v = c.u[next++];
      c.y[i] = sqrt2 * (v - 0.5) / std::sqrt(v - v * v);
    } else {
      c.y[i] = job_value(c, i, gamma_at(nu / 2, c.u, c.u_size, &next, &run.failed));
    }
  }
  return gamma_run{next, c.job == gamma_job::student_t ? second : 0, run.failed};
}

// One shape a shared by all elements, on Best's path (boosted below 1).
gamma_run shared_shape(const job_call& c, double a, bool boosted) {
  std::vector<int64_t> pair(c.count + 1);
  const double shape = boosted ? 1 + a : a;
  if (!accepted_pairs(c.threads, shape, c.u, c.u_size, c.count, boosted ? 1 : 2, &pair))
    return gamma_run{0, 0, true};
  split(c.threads, c.count, [&](int64_t begin, int64_t end) {
    for (int64_t i = begin; i < end; ++i) {
      // x again rather than kept for every trial: a few operations against
      // a pass over as many doubles as there are uniforms.
      double g = trial_x(shape, c.u[pair[i]]);
      // The element's own uniform sits just before its first trial, which
      // is its predecessor's pair + 2, or position 0.
      if (boosted) g = floored(g, 1 + a) * std::pow(c.u[i == 0 ? 0 : pair[i - 1] + 2], 1 / a);
      c.y[i] = job_value(c, i, floored(g, a));
    }
  });
  return gamma_run{c.count > 0 ? pair[c.count - 1] + 2 : 0, c.job == gamma_job::student_t ? c.count : 0, false};
}

}  // namespace

gamma_run gamma_draws(gamma_job job, int threads, int64_t count, const mxArray* first,
                      const mxArray* second, const double* u, int64_t u_size, const double* z, double* y) {
  const param p1 = param_of(first);
  const param p2 = param_of(second);
  const job_call c{job, p1, p2, job == gamma_job::student_t ? p1 : p2, threads, count, u, u_size, z, y};
  const bool shared = c.nu.values == nullptr;
  const double nu = c.nu.at(0);
  if (job == gamma_job::student_t && shared && (nu == 1 || nu == 2)) {
    // Cauchy from two normals, or t(2) by inversion of one uniform.
    split(threads, count, [&](int64_t begin, int64_t end) {
      for (int64_t i = begin; i < end; ++i)
        y[i] = nu == 1 ? z[i] / z[count + i] : sqrt2 * (u[i] - 0.5) / std::sqrt(u[i] - u[i] * u[i]);
    });
    return nu == 1 ? gamma_run{0, 2 * count, false} : gamma_run{count, count, false};
  }
  const double a = nu / 2;
  const bool best = a >= exp_shape && a <= huge_shape;
  const bool boosted = a >= tiny_shape && a <= 1 && 1 + a >= exp_shape;
  return shared && (best || boosted) ? shared_shape(c, a, boosted) : element_by_element(c);
}
