// The Dirichlet weight vector of the Bayesian bootstrap and the argument
// rules that its two plug-ins share.
//
// n uniforms u from one host "rand" call become e(j) = -log(u(j)), times the
// prior weight W(j) when one is given; divided by their sum S they are
// uniform on the simplex (Dirichlet(1, ..., 1)) without prior weights.
#pragma once

#include <cstdint>

#include "../host/host.h"

// Replaces each of the n values in place by -log(value) [* prior(j)] and
// returns their sum, accumulated from 0 in index order as e + S.
double exponentials_in_place(double* values, int32_t n, const double* prior);

// Where the replicates' uniforms come from. Each replicate takes n values
// of the host's rand, replicate after replicate. With a user's rand, or
// Octave's older generator (after rand ("seed", x)), that is one rand (n, 1)
// call per replicate. With Octave's builtin rand and its state-based
// generator, after a first rand (n, 1), several replicates share one
// rand (n, k) call: Octave fills it column after column from the same
// stream, so the values and the generator's final state are the same, and
// the per-call cost (about a microsecond) is paid k times less often.
struct replicate_source {
  int32_t n;
  int32_t left;       // replicates not yet handed out
  int32_t handed;     // replicates handed out so far
  bool merge;
  mxArray* block;     // the current host array, destroyed by the next draw
};

// The uniforms of consecutive replicates: column c (n values from
// uniforms + c * n) belongs to replicate first + c.
struct replicate_block {
  double* uniforms;
  int32_t first;
  int32_t count;
};

// Per thread, a merged block holds about 2 MB of uniforms: enough work to
// pay for starting the thread many times over, and a call's memory stays
// bounded (32 MB at most) whatever the thread count.
inline constexpr int64_t values_per_thread = 262144;
inline constexpr int32_t max_block_threads = 16;
// The values a merged block holds when `threads` threads share its work.
int64_t replicate_block_values(int32_t threads);

replicate_source replicate_source_for(int32_t n, int32_t replicates);
// The next replicates' uniforms, valid until the next call: one replicate
// first, then as many as fit in `block_values` values (at least one) while
// blocks are merged. Call it only while replicates are left.
replicate_block next_replicate_block(replicate_source* source, int64_t block_values);
void release_replicate_source(replicate_source* source);

// The number of replicates B: its shape first ("B must be a scalar."), then
// its class and value; returned truncated toward zero, unchecked for range.
double read_replicate_count(const mxArray* b);

// The prior weights' shape: one column (a W with rows but no columns holds
// no weight and is refused the same way), n rows or `length_message`.
void check_prior_shape(const mxArray* w, int64_t n, const char* length_message);
