// Gamma draws of one shape over a window of upcoming host uniforms.
//
// A draw loop that can look at the next n uniforms before consuming them
// (host_uniforms_ahead) gets from here, for a run of elements that share
// one shape a, exactly the values that calling rand_gamma (a) once per
// element would give from the same uniforms, and the count of uniforms
// those calls would have consumed; it then consumes exactly that many. The
// trials of Best's method are evaluated for the whole window at once
// (without branches, two trials per vector operation where the machine has
// them), and a sequential scan then hands them to elements in the order the
// one-value form takes them.
//
// Driving a run of `count` elements into out[0 .. count):
//
//   const gamma_batch_shape shape = gamma_batch_shape_of(a);
//   gamma_batch_carry carry{};
//   const gamma_batch_scratch scratch = gamma_batch_scratch_in(block, window);
//   for (int64_t done = 0; done < count;) {
//     const double* u = nullptr;
//     const int32_t n = host_uniforms_ahead(gamma_batch_needed(shape, carry), window, &u);
//     gamma_batch_trials(shape, u, n, 0, n, scratch);  // or any split of [0, n)
//     const gamma_batch_step step =
//         gamma_batch_scan(shape, &carry, u, n, scratch, out + done, count - done);
//     host_uniforms_consume(step.consumed);
//     done += step.elements;
//   }
//
// Every uniform a scan consumes has a settled role: an element's boost
// uniform, or a trial that was rejected or accepted. An element whose trials
// run past the window's end keeps its rejected trials (and its boost
// uniform) consumed, and `carry` remembers them, so the next window goes on
// where this one stopped. That keeps the million-trial cap exact when the
// rejections outlast any window, and it lets a window of exactly
// gamma_batch_needed values (all a host gives where values come one by one)
// make progress: a scan of a window holding at least that many consumes at
// least that many, unless it is asked for no element. A shape whose draws
// take no uniform (below 1e-5, NaN, above 1e300) needs no window: its scan
// fills every wanted element and consumes nothing.
//
// Nothing here calls the host; gamma_batch_trials may run on any thread.
#pragma once

#include <cstddef>
#include <cstdint>

// Which branch of rand_gamma a shape takes.
enum class gamma_route : int8_t { returns_shape, exponential, boosted, best };

// What a run needs to know about its shape, fixed before the first window.
struct gamma_batch_shape {
  double a;
  gamma_route route;
  double trial_shape;  // the shape Best's trials draw: a, or 1 + a when boosted
  double b;            // trial_shape - 1
  double c;            // 3 * trial_shape - 0.75
  double boost_power;  // 1 / a, for the boost's u^(1/a)
  int32_t stride;      // trials start at every second position (best), every one (boosted)
};

gamma_batch_shape gamma_batch_shape_of(double a);

// The element in progress between two windows; a run starts from {}.
struct gamma_batch_carry {
  long trials;        // its trials rejected so far
  double boost_u;     // its boost uniform, when has_boost_u
  bool has_boost_u;
};

// The fewest uniforms the next scan will consume (0 when it needs none):
// the least window to ask the host for.
int32_t gamma_batch_needed(const gamma_batch_shape& shape, const gamma_batch_carry& carry);

// Per-window working memory, for windows of up to `window` values.
struct gamma_batch_scratch {
  double* x;        // each trial's candidate, by slot
  int8_t* verdict;  // each trial's verdict, by slot (see gamma_trials.h)
  double* boost;    // the boosted route's u of each element
};
// Bytes of one block holding the scratch of windows up to `window` values,
// and the scratch carved from such a block (8-byte aligned, as mxMalloc's).
size_t gamma_batch_scratch_bytes(int32_t window);
gamma_batch_scratch gamma_batch_scratch_in(void* block, int32_t window);

// Evaluates the trials whose first uniform lies at a position of
// [first, last) of the window u[0 .. n), at the positions the scan may
// start a trial at (multiples of shape.stride) that have a second uniform
// before n. Each trial reads only its own two uniforms and writes only its
// own slot, so disjoint ranges may run on different threads, in any order.
void gamma_batch_trials(const gamma_batch_shape& shape, const double* u, int32_t n,
                        int32_t first, int32_t last, gamma_batch_scratch scratch);

struct gamma_batch_step {
  int64_t elements;  // values written to out[0 .. elements)
  int32_t consumed;  // uniforms to consume: u[0 .. consumed)
};

// Hands the window's trials to up to `wanted` (>= 0) elements in storage
// order, once gamma_batch_trials has covered [0, n); main thread.
gamma_batch_step gamma_batch_scan(const gamma_batch_shape& shape, gamma_batch_carry* carry,
                                  const double* u, int32_t n, gamma_batch_scratch scratch,
                                  double* out, int64_t wanted);
