// Y = student_t_draws (NU)
// Y = student_t_draws (NU, M, N)
// Y = student_t_draws (NU, [M N])
//
// Student-t draws with NU degrees of freedom (a scalar or per-element
// values). The host's randn fills the whole output with normals z first;
// then, element by element in storage order:
//   nu == 1:  z / z2, a second normal (Cauchy);
//   nu == 2:  sqrt(2) * (u - 0.5) / sqrt(u - u * u), the t(2) inverse CDF at
//             one uniform (z is discarded);
//   else:     (z * sqrt(nu)) / sqrt(2 * G), G a gamma draw of shape nu / 2;
//             one such nu for every element: the gamma draws come in
//             batches (gamma_run.h), on worker threads.
#include <algorithm>
#include <cmath>

#include "../host/host.h"
#include "../host/interrupt.h"
#include "../host/threads.h"
#include "../random_variates/gamma_run.h"
#include "../random_variates/random_variates.h"

namespace {

constexpr double sqrt2 = 1.4142135623730951;

// One element's draw from its normal z; the tests are exact equality with
// 1, then with 2, so a NaN nu takes the gamma construction.
double t_draw(double z, double nu) {
  if (nu == 1) return z / rand_gaussian();
  if (nu == 2) {
    const double u = rand_uniopen();
    return sqrt2 * (u - 0.5) / std::sqrt(u - u * u);
  }
  const double scaled = z * std::sqrt(nu);
  return scaled / std::sqrt(rand_gamma(nu / 2) * 2);
}

// Every element by the gamma construction, from the normals already in
// draws: t_draw's arithmetic on batches of gamma draws.
void t_draws_by_gamma(double* draws, int32_t count, double nu, int32_t threads) {
  const double root = std::sqrt(nu);
  gamma_run_each(nu / 2, count, threads,
                 [&](int32_t i, double g) { draws[i] = (draws[i] * root) / std::sqrt(g * 2); });
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const one_param_call call = read_one_param_call(nlhs, nrhs, prhs, "nu");
  const int32_t threads = thread_count();

  const host_stream_scope streams;
  plhs[0] = host_draw_array("randn", call.size);
  double* draws = mxGetPr(plhs[0]);
  const double nu = call.param.scalar;
  if (call.param.values == nullptr && nu != 1 && nu != 2 && call.count > 0) {
    t_draws_by_gamma(draws, call.count, nu, threads);
    return;
  }
  for (int32_t i = 0; i < call.count; ++i) {
    poll_interrupt(i);
    draws[i] = t_draw(draws[i], param_at(call.param, i));
  }
}
