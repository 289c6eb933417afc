// Y = scaled_invchi2_draws (S2, NU)
// Y = scaled_invchi2_draws (S2, NU, M, N)
// Y = scaled_invchi2_draws (S2, NU, [M N])
//
// Draws from the scaled inverse-chi-square distribution with NU degrees of
// freedom and scale S2: each element is (s2 * nu / 2) / G with G a gamma
// draw of shape nu / 2. S2 and NU are scalars or arrays of per-element
// values; the elements are drawn in storage order. One NU for every
// element: the gamma draws come in batches (gamma_run.h), on worker threads.
#include "../host/host.h"
#include "../host/interrupt.h"
#include "../host/threads.h"
#include "../random_variates/gamma_run.h"
#include "../random_variates/random_variates.h"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const two_param_call call = read_two_param_call(nlhs, nrhs, prhs, "s2", "nu");
  const int32_t threads = thread_count();

  // Every element is written below: the output is not cleared first, which
  // for a large one would take a pass that Ctrl-C cannot stop.
  plhs[0] = mxCreateUninitNumericMatrix(call.size.rows, call.size.cols, mxDOUBLE_CLASS, mxREAL);
  double* draws = mxGetPr(plhs[0]);
  const host_stream_scope streams;
  if (call.second.values == nullptr) {
    const double nu = call.second.scalar;
    // The numerator is formed as below, then divided by the gamma draw.
    gamma_run_each(nu / 2, call.count, threads,
                   [&](int32_t i, double g) { draws[i] = (param_at(call.first, i) * nu / 2) / g; });
    return;
  }
  for (int32_t i = 0; i < call.count; ++i) {
    poll_interrupt(i);
    const double nu = param_at(call.second, i);
    // The numerator is formed before the gamma draw and divided by it.
    const double numerator = param_at(call.first, i) * nu / 2;
    draws[i] = numerator / rand_gamma(nu / 2);
  }
}
