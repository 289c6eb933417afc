// The gamma-family jobs of bench_limit: gamma draws by Best's (1978)
// rejection (Stuart's boost below shape 1) on uniforms drawn beforehand,
// written for throughput, for the bench's limit column. Bench-only.
#pragma once

#include <algorithm>
#include <cstdint>
#include <thread>
#include <vector>

#include "mex.h"

// Runs body(begin, end) over [0, count) split into `threads` equal ranges.
template <class Body>
void split(int threads, int64_t count, const Body& body) {
  const int64_t per = (count + threads - 1) / threads;
  std::vector<std::thread> workers;
  for (int t = 1; t < threads && t * per < count; ++t)
    workers.emplace_back([&, t] { body(t * per, std::min(count, (t + 1) * per)); });
  body(0, std::min(count, per));
  for (std::thread& w : workers) w.join();
}

// A parameter: one value for all elements, or one per element.
struct param {
  const double* values;
  double scalar;
  double at(int64_t i) const { return values != nullptr ? values[i] : scalar; }
};

inline param param_of(const mxArray* p) {
  return mxGetNumberOfElements(p) == 1 ? param{nullptr, mxGetScalar(p)} : param{mxGetPr(p), 0};
}

// Best's trial on the pair (u, v) for shape a > 1: x, and whether it is
// accepted.
struct trial {
  double x;
  bool accepted;
};
trial best_trial(double a, double u, double v);
// The trial's x alone, as best_trial computes it.
double trial_x(double a, double u);

// The accepted pair (its first position) of each of `count` elements, for
// one shape a > 1 shared by all: stride 2 where each element's trials
// start at even positions, stride 1 where each first takes one uniform of
// its own. False when the values run out.
bool accepted_pairs(int threads, double a, const double* u, int64_t size, int64_t count, int stride,
                    std::vector<int64_t>* pair);

enum class gamma_job { invchi2, mean_dof, student_t };

struct gamma_run {
  int64_t used_u;
  int64_t used_z;
  bool failed;  // the values given ran out
};

// `count` elements into y: invchi2 (p1 s2, p2 nu), mean_dof (p1 s, p2 nu)
// or student_t (p1 nu; z holds 2 * count normals). p1 and p2 hold one
// value or one per element.
gamma_run gamma_draws(gamma_job job, int threads, int64_t count, const mxArray* p1, const mxArray* p2,
                      const double* u, int64_t u_size, const double* z, double* y);
