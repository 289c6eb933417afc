// Block draws. Octave's rand (k, 1) gives the same values as k calls of
// rand (), and its state can be read and restored exactly. So a block is
// drawn after saving the generator's state, and when the plug-in call ends
// the state saved before the last block is restored and exactly the values
// used from that block are drawn again: the generator ends where the
// per-value path leaves it, and every value is the one it would have given.
//
// Blocks are used only where that reasoning holds: on Octave, when the
// function is Octave's builtin (not a user's file shadowing it), and when
// its state-based generator is the one in use (after rand ("seed", x) Octave
// draws from an older generator that a saved state does not describe). Any
// other case keeps one host call per value, for the whole plug-in call.
#include "host_blocks.h"

#include <cmath>
#include <initializer_list>

#include "../host/host.h"
#include "random_variates.h"

namespace {

enum class stream_mode { off, undecided, per_value, blocks };

struct host_stream {
  const char* function;
  stream_mode mode;
  mxArray* saved_state;  // the state before the current block
  mxArray* block;
  const double* values;
  int64_t size;
  int64_t used;
  int64_t next_size;
};

constexpr int64_t first_block = 1024;
constexpr int64_t largest_block = 65536;

host_stream uniforms{"rand", stream_mode::off, nullptr, nullptr, nullptr, 0, 0, first_block};
host_stream normals{"randn", stream_mode::off, nullptr, nullptr, nullptr, 0, 0, first_block};

// One value from one host call with no arguments. The 1 x 1 result is
// destroyed at once: a million draws would otherwise keep a million arrays
// alive until the plug-in call ends.
double value_per_call(const char* function) {
  mxArray* result = nullptr;
  mexCallMATLAB(1, &result, 0, nullptr, function);
  if (result == nullptr || !is_real_double(result) || mxGetNumberOfElements(result) != 1)
    fail_host_result(function);
  const double value = mxGetScalar(result);
  mxDestroyArray(result);
  return value;
}

mxArray* call_with(const char* function, mxArray* first, mxArray* second) {
  mxArray* args[2] = {first, second};
  mxArray* result = nullptr;
  mexCallMATLAB(1, &result, second != nullptr ? 2 : 1, args, function);
  mxDestroyArray(first);
  if (second != nullptr) mxDestroyArray(second);
  return result;
}

mxArray* state_of(const char* function) {
  return call_with(function, mxCreateString("state"), nullptr);
}

// The first value of the call comes from a single call either way. Octave
// answers rand ("seed") with the older generator's seed, which a draw moves
// only while that generator is in use: an unmoved seed means the
// state-based generator made the draw. (Its state cannot tell: while the
// older generator is in use, rand ("state") returns words that change
// between queries.)
double decide(host_stream* s) {
  if (!is_host_builtin(s->function)) {
    s->mode = stream_mode::per_value;
    return value_per_call(s->function);
  }
  const double before = old_generator_seed(s->function);
  const double value = value_per_call(s->function);
  const double after = old_generator_seed(s->function);
  s->mode = before == after ? stream_mode::blocks : stream_mode::per_value;
  return value;
}

void release_block(host_stream* s) {
  if (s->block != nullptr) mxDestroyArray(s->block);
  if (s->saved_state != nullptr) mxDestroyArray(s->saved_state);
  s->block = nullptr;
  s->saved_state = nullptr;
  s->values = nullptr;
  s->size = s->used = 0;
}

void refill(host_stream* s) {
  release_block(s);
  s->saved_state = state_of(s->function);
  const int64_t k = s->next_size;
  s->block = call_with(s->function, mxCreateDoubleScalar(static_cast<double>(k)), mxCreateDoubleScalar(1));
  if (s->block == nullptr || !is_real_double(s->block) || mxGetNumberOfElements(s->block) != static_cast<size_t>(k))
    fail_host_result(s->function);
  s->values = mxGetPr(s->block);
  s->size = k;
  s->next_size = k < largest_block ? 2 * k : k;
}

// Rewinds to the state before the last block and draws again exactly the
// values used from it.
void settle(host_stream* s) {
  if (s->mode == stream_mode::blocks && s->saved_state != nullptr) {
    mxArray* args[2] = {mxCreateString("state"), s->saved_state};
    mexCallMATLAB(0, nullptr, 2, args, s->function);
    mxDestroyArray(args[0]);
    if (s->used > 0)
      mxDestroyArray(call_with(s->function, mxCreateDoubleScalar(static_cast<double>(s->used)),
                               mxCreateDoubleScalar(1)));
  }
  release_block(s);
  s->mode = stream_mode::off;
  s->next_size = first_block;
}

double next_from(host_stream* s) {
  // The common case first: a value left in the current block.
  if (s->used < s->size) return s->values[s->used++];
  switch (s->mode) {
    case stream_mode::off:
    case stream_mode::per_value:
      return value_per_call(s->function);
    case stream_mode::undecided:
      return decide(s);
    case stream_mode::blocks:
      break;
  }
  refill(s);
  return s->values[s->used++];
}

}  // namespace

double next_host_uniform() { return next_from(&uniforms); }

double next_host_normal() { return next_from(&normals); }

void host_blocks_begin(int64_t expected_values) {
  // Arrays left by a call that ended in an error belong to the host by now.
  for (host_stream* s : {&uniforms, &normals}) {
    s->block = s->saved_state = nullptr;
    s->values = nullptr;
    s->size = s->used = 0;
    s->next_size = first_block;
#ifdef HAVE_OCTAVE
    s->mode = expected_values >= min_block_values ? stream_mode::undecided : stream_mode::off;
#else
    s->mode = stream_mode::off;
    (void)expected_values;
#endif
  }
}

void host_blocks_end() {
  settle(&uniforms);
  settle(&normals);
}
