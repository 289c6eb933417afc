// Gamma runs for the array plug-ins (gamma_run.h): blocks of host uniforms,
// the batched kernel's trial pass on worker threads, its scan here.
#include "gamma_run.h"

#include <algorithm>

#include "../host/host.h"
#include "../host/host_stream.h"
#include "../host/interrupt.h"
#include "../host/threads.h"

namespace {

// Window positions per task of the trial pass (about 25 us of it).
constexpr int32_t piece_values = 4096;
// A worker per this many window values: the trial pass takes about 6 ns a
// value on one thread (see threads_for).
constexpr double break_even_values = 16384;
// A block drawn ahead of the scan holds at least this many values; when
// fewer are certain, the next window waits for the scan.
constexpr int32_t least_ahead = 2048;

// The fewest uniforms the run still consumes from the scan's position on.
// Every element still to draw takes at least one trial of two uniforms:
// on the boosted route after its boost uniform, which the element in
// progress may hold already; on the exponential route, exactly one uniform.
int64_t values_certain(const gamma_run& run) {
  const int64_t elements = run.remaining;
  switch (run.shape.route) {
    case gamma_route::returns_shape: return 0;
    case gamma_route::exponential: return elements;
    case gamma_route::boosted: return 3 * elements - (run.carry.has_boost_u ? 1 : 0);
    case gamma_route::best: break;
  }
  return 2 * elements;
}

// The trial pass over the window u[0 .. n) in pieces, on up to `threads`
// threads, while the calling thread draws `ahead` values into next_block.
void trials_while_drawing(const gamma_run& run, const double* u, int32_t n, double* next_block,
                          int32_t ahead) {
  const gamma_batch_shape& shape = run.shape;
  const gamma_batch_scratch scratch = run.scratch;
  const int64_t pieces = shape.stride == 0 ? 0 : (n + piece_values - 1) / piece_values;
  run_tasks_beside(
      threads_for(run.threads, pieces == 0 ? 0 : n, break_even_values), pieces,
      [&] { host_uniforms(next_block, ahead); },
      [&](int64_t t) {
        const int32_t first = static_cast<int32_t>(t) * piece_values;
        gamma_batch_trials(shape, u, n, first, std::min(n, first + piece_values), scratch);
      });
}

}  // namespace

gamma_run gamma_run_start(double a, int64_t count, int32_t threads) {
  gamma_run run{};
  run.shape = gamma_batch_shape_of(a);
  run.remaining = count;
  run.threads = threads;
  // Blocks no longer than the run can consume: a short run asks for little.
  const int32_t block = static_cast<int32_t>(std::min<int64_t>(gamma_run_block, values_certain(run)));
  if (block == 0) return run;
  const int32_t window = block + 1;
  run.memory = mxMalloc(2 * window * sizeof(double) + gamma_batch_scratch_bytes(window));
  double* doubles = static_cast<double*>(run.memory);
  run.blocks[0] = doubles;
  run.blocks[1] = doubles + window;
  run.scratch = gamma_batch_scratch_in(doubles + 2 * window, window);
  return run;
}

int64_t gamma_run_next(gamma_run* run, double* g) {
  const int64_t wanted = std::min<int64_t>(run->remaining, gamma_run_batch);
  if (run->memory == nullptr) {  // a shape that takes no uniform, or nothing left
    const gamma_batch_step step = gamma_batch_scan(run->shape, &run->carry, nullptr, 0, run->scratch, g, wanted);
    run->remaining -= step.elements;
    return step.elements;
  }
  leave_if_interrupted();
  double* block = run->blocks[run->current] + 1;
  if (run->drawn == 0) {
    const int64_t certain = values_certain(*run) - run->left_over;
    run->drawn = static_cast<int32_t>(std::min<int64_t>(gamma_run_block, certain));
    host_uniforms(block, run->drawn);
  }
  const double* u = block - run->left_over;
  const int32_t n = run->left_over + run->drawn;
  // The next block, drawn during the trial pass, only as far as the run
  // certainly consumes beyond this window.
  const int64_t beyond = values_certain(*run) - n;
  const int32_t ahead = beyond < least_ahead ? 0 : static_cast<int32_t>(std::min<int64_t>(beyond, gamma_run_block));
  double* next_block = run->blocks[1 - run->current] + 1;
  trials_while_drawing(*run, u, n, next_block, ahead);
  const gamma_batch_step step = gamma_batch_scan(run->shape, &run->carry, u, n, run->scratch, g, wanted);
  // What the scan leaves is at most one value (an odd window's last, or a
  // boosted element's first trial value without its second), and only
  // when the window ended mid-element: a window holds no more than the run
  // certainly consumes, and one gamma_run_batch of elements outlasts it.
  run->left_over = n - step.consumed;
  std::copy(u + step.consumed, u + n, next_block - run->left_over);
  run->current = 1 - run->current;
  run->drawn = ahead;
  run->remaining -= step.elements;
  return step.elements;
}

void gamma_run_end(gamma_run* run) {
  if (run->memory != nullptr) mxFree(run->memory);
  run->memory = nullptr;
}
