// A run of gamma draws of one shape for an array plug-in: the values of
// rand_gamma (a) called once per element, in storage order, from the same
// host uniforms, and the generator left where those calls leave it.
//
// The uniforms are drawn in blocks (host_uniforms) and the batched kernel
// (gamma_batch.h) hands them to elements: the trial pass runs on worker
// threads while the calling thread draws the next block, and the scan on
// the calling thread. A block is drawn only as far as the run will
// certainly consume (every element still to draw takes at least one trial),
// so no value is drawn that the one-value form would not take; a value
// that a scan leaves over (at most one, the start of an unfinished trial)
// goes on in front of the next block.
//
//   gamma_run run = gamma_run_start(a, count, threads);
//   for (int64_t done = 0; done < count;) {
//     const int64_t k = gamma_run_next(&run, g);  // g has gamma_run_batch room
//     ... elements done .. done + k - 1 from g[0 .. k) ...
//     done += k;
//   }
//   gamma_run_end(&run);
//
// Start it after every argument check (it allocates host memory, which the
// host reclaims should the call end in an error or an interrupt), inside
// the call's host_stream_scope, and make no other host draw while it runs.
// Ctrl-C is looked for before every window.
#pragma once

#include <algorithm>
#include <cstdint>

#include "../host/host.h"
#include "gamma_batch.h"

// Fresh uniforms per block: about 0.2 ms of the host's generator, which
// pays for starting the worker threads of a round (about 20 us) ten times.
inline constexpr int32_t gamma_run_block = 32768;
// The most draws one gamma_run_next call writes.
inline constexpr int32_t gamma_run_batch = gamma_run_block + 1;

struct gamma_run {
  gamma_batch_shape shape;
  gamma_batch_carry carry;
  gamma_batch_scratch scratch;
  void* memory;        // the scratch and both blocks, one host allocation
  double* blocks[2];   // each: one slot for a left-over value, then a block
  int32_t current;     // the block of the window the next call scans
  int32_t left_over;   // values of the last window before the current block
  int32_t drawn;       // fresh values in the current block; 0: none yet
  int64_t remaining;   // elements still to draw
  int32_t threads;
};

gamma_run gamma_run_start(double a, int64_t count, int32_t threads);
// The next draws into g[0 .. k), returns k: none when one element's trials
// outlast the block, which the next call then goes on with.
int64_t gamma_run_next(gamma_run* run, double* g);
void gamma_run_end(gamma_run* run);

// The whole run for an array plug-in: every element's gamma draw g, in
// storage order, handed to element (i, g) as its batch comes. The draws
// wait in a scratch array of one batch (host memory, reclaimed with the
// rest should the call end in an error or an interrupt).
template <class Element>
void gamma_run_each(double a, int32_t count, int32_t threads, const Element& element) {
  gamma_run run = gamma_run_start(a, count, threads);
  double* g = static_cast<double*>(mxMalloc(std::min(count, gamma_run_batch) * sizeof(double)));
  for (int32_t done = 0; done < count;) {
    const int32_t k = static_cast<int32_t>(gamma_run_next(&run, g));
    for (int32_t j = 0; j < k; ++j) element(done + j, g[j]);
    done += k;
  }
  mxFree(g);
  gamma_run_end(&run);
}
