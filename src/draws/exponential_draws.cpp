// Y = exponential_draws (MU)
// Y = exponential_draws (MU, M, N)
// Y = exponential_draws (MU, [M N])
//
// Exponential draws with mean MU (a scalar or per-element values) by
// inversion: each element is -mu * log(u) for its own uniform u, all taken
// from one host rand (M, N) call and transformed in place, ranges of
// elements on the worker threads.
#include <cmath>

#include "../host/host.h"
#include "../host/threads.h"

namespace {

// Worker threads: one per 32,000 elements (a logarithm and a product take
// about 3 ns; see threads_for).
constexpr double break_even_elements = 32000;
constexpr int64_t chunk_elements = 16384;

void transform(double* draws, const param_source& mu, int64_t begin, int64_t end) {
  if (mu.values != nullptr) {
    for (int64_t i = begin; i < end; ++i) draws[i] = (-mu.values[i]) * std::log(draws[i]);
  } else if (mu.scalar != 1) {
    for (int64_t i = begin; i < end; ++i) draws[i] = (-mu.scalar) * std::log(draws[i]);
  } else {
    // Unit mean: no product, the same values as the general formula.
    for (int64_t i = begin; i < end; ++i) draws[i] = -std::log(draws[i]);
  }
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const one_param_call call = read_one_param_call(nlhs, nrhs, prhs, "mu");
  const int32_t threads = thread_count();

  plhs[0] = host_draw_array("rand", call.size);
  double* draws = mxGetPr(plhs[0]);
  const param_source mu = call.param;
  run_in_chunks(threads_for(threads, call.count, break_even_elements), call.count, chunk_elements,
                [=](int64_t begin, int64_t end) { transform(draws, mu, begin, end); });
}
