// Y = mean_dof_gamma_draws (S, NU)
// Y = mean_dof_gamma_draws (S, NU, M, N)
// Y = mean_dof_gamma_draws (S, NU, [M N])
//
// Gamma draws by mean S and degrees of freedom NU: shape nu / 2 and scale
// 2 * s / nu, the distribution of s * X / nu with X chi-square(nu). Each
// element is ((G * 2) * s) / nu with G a gamma draw of shape nu / 2. S and
// NU are scalars or arrays of per-element values; storage order. One NU
// for every element: the gamma draws come in batches (gamma_run.h), on
// worker threads.
#include "../host/host.h"
#include "../host/interrupt.h"
#include "../host/threads.h"
#include "../random_variates/gamma_run.h"
#include "../random_variates/random_variates.h"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const two_param_call call = read_two_param_call(nlhs, nrhs, prhs, "s", "nu");
  const int32_t threads = thread_count();

  // Every element is written below: the output is not cleared first, which
  // for a large one would take a pass that Ctrl-C cannot stop.
  plhs[0] = mxCreateUninitNumericMatrix(call.size.rows, call.size.cols, mxDOUBLE_CLASS, mxREAL);
  double* draws = mxGetPr(plhs[0]);
  const host_stream_scope streams;
  if (call.second.values == nullptr) {
    const double nu = call.second.scalar;
    gamma_run_each(nu / 2, call.count, threads,
                   [&](int32_t i, double g) { draws[i] = ((g * 2) * param_at(call.first, i)) / nu; });
    return;
  }
  for (int32_t i = 0; i < call.count; ++i) {
    poll_interrupt(i);
    const double nu = param_at(call.second, i);
    draws[i] = ((rand_gamma(nu / 2) * 2) * param_at(call.first, i)) / nu;
  }
}
