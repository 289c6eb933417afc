// The state and steps of a generator session: part of octave_host.cpp's
// translation unit and included there only, after Octave's headers, so
// that Octave's API stays in that one translation unit (octave_host.h says
// how the builtins draw and why this gives their values and states).
#pragma once

#include <algorithm>
#include <cstring>
#include <string>

#include "twister.h"

namespace {

constexpr int state_words = MT_N + 1;  // the twister's words and its position
static_assert(state_words == twister_state_words, "Octave's twister state is the one twister.h runs");
// Values drawn between two interrupt checks: about 5 ms of the twister.
constexpr int64_t fill_chunk = int64_t{1} << 20;
constexpr int no_generator = -1;
// Up to this many values, a generator's state is handed to Octave by
// drawing them again from its last saved state (about 5 ns a uniform, 10 a
// normal) rather than by setting the state, which copies the 625 words
// twice more and allocates once more.
constexpr int64_t replay_most = 24;
// Blocks drawn ahead grow from the first to the largest, doubling, so a
// call that alternates the generators only a few times draws few values in
// vain.
constexpr int32_t block_first = 16;
constexpr int32_t block_most = 4096;

struct session_state {
  bool open;
  bool decided;  // the first value is drawn: `twister` is known
  bool twister;  // the state-based generator is in use
  std::string found;  // Octave's current distribution at the first value
  int found_generator;  // `found` as a generator, or no_generator
  // Octave's current distribution now; on the state-based generator the
  // twister holds this generator's live state.
  int loaded = no_generator;
  // The loaded generator once a value was drawn from the twister directly:
  // its next value is simply the twister's next one.
  int hot = no_generator;
  // Values of each generator consumed since Octave last saved its state
  // (values drawn ahead count once consumed), and
  // that saved state (Octave's own array, shared when the first of them is
  // drawn: the builtin's next save replaces the array rather than writing
  // into it).
  int64_t unsaved[2];
  uint32NDArray saved[2];
  uint32_t parked[2][state_words];  // live state while not loaded
  uint32_t window_start[state_words];  // before a window's tentative values
  int32_t window_committed;            // window values drawn for good
  // Values of each generator drawn ahead, in blocks, while the other one is
  // loaded: a call that alternates the two then switches once a block, not
  // once a value. The generator's live state is the block's end; `start`
  // is the state before it, from which its consumed values are redrawn when
  // the rest are dropped.
  struct drawn_ahead {
    int32_t size, used, next_size;
    uint32_t start[state_words];
    double values[block_most];
  } ahead[2];
};

session_state session{};

void switch_to(int g) {
  g == generator_uniform ? octave::rand::uniform_distribution() : octave::rand::normal_distribution();
}

const char* name_of(int g) { return g == generator_uniform ? "uniform" : "normal"; }

double twister_value(int g) {
  return g == generator_uniform ? octave::rand_uniform<double>() : octave::rand_normal<double>();
}

// The twister's next `count` values of g, those of count twister_value (g).
// Uniforms beyond a few come from a copy of the twister's state, which is
// then handed back (twister.h): copying the state both ways costs about as
// much as drawing bulk_least values one by one.
void twister_values(int g, int64_t count, double* values) {
  constexpr int64_t bulk_least = 64;
  if (g == generator_uniform && count >= bulk_least) {
    uint32_t state[twister_state_words];
    octave::get_mersenne_twister_state(state);
    if (twister_doubles(state, values, count)) {
      octave::set_mersenne_twister_state(state);
      return;
    }
  }
  g == generator_uniform ? octave::rand_uniform<double>(count, values)
                         : octave::rand_normal<double>(count, values);
}

void open_session() {
  if (session.open) return;
  session.found = octave::rand::distribution();
  session.found_generator = session.found == "uniform" ? generator_uniform
                            : session.found == "normal" ? generator_normal : no_generator;
  session.loaded = session.found_generator;
  session.hot = no_generator;
  session.decided = session.twister = false;
  session.unsaved[0] = session.unsaved[1] = 0;
  for (auto& a : session.ahead) a.size = a.used = 0, a.next_size = block_first;
  session.open = true;
}

// Makes g Octave's current distribution, with g's live state in the
// twister, parking the live state of the one it replaces. The builtins
// switch back after every value; staying until the session closes ends
// the same, because a switch to the current distribution loads nothing and
// the older generator draws from its own generator whatever the twister
// holds.
void load(int g) {
  if (session.loaded == g) return;
  if (session.loaded != no_generator && session.unsaved[session.loaded] > 0)
    octave::get_mersenne_twister_state(session.parked[session.loaded]);
  switch_to(g);  // loads the state Octave saved for g
  if (session.unsaved[g] > 0) octave::set_mersenne_twister_state(session.parked[g]);
  session.loaded = g;
  session.hot = no_generator;
}

// One value exactly as the builtin rand () or randn () draws it: Octave's
// scalar draw is the builtin's 1 x 1 fill, which on the state-based
// generator saves the state after the value as the fill does. On the older
// generator the fill's save copies the twister's state onto the current
// distribution's, which Octave's own code always leaves equal, so leaving
// it out changes nothing. The first value of a session also reads the
// older generator's seed around it.
double builtin_value(int g) {
  load(g);
  if (session.decided) return octave::rand::scalar();
  const double seed_before = octave::rand::seed();
  const double value = octave::rand::scalar();
  const double seed_after = octave::rand::seed();
  // Compared as bits: the seed's two words can read as a NaN.
  session.twister = std::memcmp(&seed_before, &seed_after, sizeof seed_before) == 0;
  session.decided = true;
  return value;
}

// The builtin rand (count, 1): the values of count calls of rand ().
void builtin_fill(int g, double* values, int64_t count) {
  load(g);
  const NDArray drawn = octave::rand::nd_array(dim_vector(count, 1));
  std::copy_n(drawn.data(), count, values);
}

// Readies the twister for draws of g's values in process.
void prepare_twister(int g) {
  load(g);
  if (session.unsaved[g] == 0) session.saved[g] = octave::rand::state(name_of(g));
}

void twister_fill(int g, double* values, int64_t count) {
  prepare_twister(g);
  session.unsaved[g] += count;
  twister_values(g, count, values);
}

}  // namespace
