// Y = exponential_draws (MU)
// Y = exponential_draws (MU, M, N)
// Y = exponential_draws (MU, [M N])
//
// Exponential draws with mean MU (a scalar or per-element values) by
// inversion: each element is -mu * log(u) for its own uniform u, all taken
// from one host rand (M, N) call and transformed in place, ranges of
// elements on the worker threads. Drawn in process, the array comes a round
// at a time, the logarithms of one round beside the drawing of the next.
#include <algorithm>
#include <cmath>

#include "../host/host.h"
#include "../host/host_stream.h"
#include "../host/threads.h"

namespace {

// Worker threads: one per 32,000 elements (a logarithm and a product take
// about 3 ns; see threads_for).
constexpr double break_even_elements = 32000;
constexpr int64_t chunk_elements = 16384;
// Uniforms drawn a round at a time: about 0.6 ms of the generator, which
// pays for starting the workers of a round some thirty times.
constexpr int64_t round_elements = 131072;

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
  const param_source mu = call.param;

  const host_stream_scope streams;
  if (call.count == 0 || !host_array_in_process("rand")) {
    plhs[0] = host_draw_array("rand", call.size);
    double* draws = mxGetPr(plhs[0]);
    run_in_chunks(threads_for(threads, call.count, break_even_elements), call.count, chunk_elements,
                  [=](int64_t begin, int64_t end) { transform(draws, mu, begin, end); });
    return;
  }
  // In process, the uniforms come a round ahead of the logarithms: the
  // calling thread draws round r + 1 while the workers transform round r.
  plhs[0] = mxCreateUninitNumericMatrix(call.size.rows, call.size.cols, mxDOUBLE_CLASS, mxREAL);
  double* draws = mxGetPr(plhs[0]);
  const int64_t count = call.count;
  int64_t begin = 0;
  int64_t drawn = std::min(count, round_elements);
  host_array_piece("rand", draws, drawn);
  while (begin < count) {
    const int64_t end = drawn;
    drawn = std::min(count, end + round_elements);
    run_tasks_beside(threads_for(threads, static_cast<double>(end - begin), break_even_elements),
                     (end - begin + chunk_elements - 1) / chunk_elements,
                     [&] { host_array_piece("rand", draws + end, drawn - end); },
                     [&](int64_t t) {
                       const int64_t first = begin + t * chunk_elements;
                       transform(draws, mu, first, std::min(end, first + chunk_elements));
                     });
    begin = end;
  }
}
