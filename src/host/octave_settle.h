// Values drawn ahead, and handing what a session drew back to Octave:
// part of octave_host.cpp's translation unit after octave_session.h, and
// included there only.
#pragma once

namespace {

// Draws g's next block ahead: g is loaded, its live state goes to the
// block's end.
void draw_ahead(int g) {
  prepare_twister(g);
  session_state::drawn_ahead& a = session.ahead[g];
  octave::get_mersenne_twister_state(a.start);
  a.size = a.next_size;
  a.used = 0;
  a.next_size = std::min(2 * a.next_size, block_most);
  twister_values(g, a.size, a.values);
}

// Loads g with the live state its consumed values leave: the values drawn
// ahead but not consumed are dropped, the consumed ones redrawn from the
// block's start.
void drop_ahead(int g) {
  load(g);
  session_state::drawn_ahead& a = session.ahead[g];
  if (a.used < a.size) {
    octave::set_mersenne_twister_state(a.start);
    twister_values(g, a.used, a.values);
  }
  a.size = a.used = 0;
}

// Leaves Octave's saved state of g where the builtin's last value would
// have: the few values drawn again from the saved state, the last of them
// by Octave's scalar draw, which saves; or the live state set outright.
void settle(int g) {
  drop_ahead(g);
  const int64_t values = session.unsaved[g];
  session.unsaved[g] = 0;
  const uint32NDArray saved = session.saved[g];
  session.saved[g] = uint32NDArray();
  if (values > replay_most || saved.numel() != state_words) {
    uint32NDArray live(dim_vector(state_words, 1));
    octave::get_mersenne_twister_state(reinterpret_cast<uint32_t*>(live.fortran_vec()));
    octave::rand::state(live, name_of(g));
    return;
  }
  octave::set_mersenne_twister_state(reinterpret_cast<const uint32_t*>(saved.data()));
  for (int64_t k = 1; k < values; ++k) twister_value(g);
  octave::rand::scalar();
}

// A speculative session's first uniform: taken from the twister as if the
// state-based generator were in use, which verify_speculation tests.
void start_speculation() {
  load(generator_uniform);
  octave::get_mersenne_twister_state(session.speculation_start);
  session.decided = session.twister = true;
  session.unverified = true;
}

// The uniforms handed to Octave as settle does, with the last one drawn
// by the builtin (past replay_most values: one more, which setting the
// state outright then takes back); Octave's seed around that draw tells
// whether the older generator is in use. If so, the twister is put back
// and the value drawn is that generator's first of the call; a session
// that closes without a next try (an error, an interrupt) draws as many
// more as it consumed, which leaves the older generator where drawing
// them one call at a time would.
bool verify_speculation(bool closing) {
  const int g = generator_uniform;
  session.unverified = false;
  session.hot = no_generator;
  drop_ahead(g);
  const int64_t values = session.unsaved[g];
  session.unsaved[g] = 0;
  const uint32NDArray saved = session.saved[g];
  session.saved[g] = uint32NDArray();
  const bool replay = values <= replay_most && saved.numel() == state_words;
  uint32NDArray live;
  if (replay) {
    octave::set_mersenne_twister_state(reinterpret_cast<const uint32_t*>(saved.data()));
    for (int64_t k = 1; k < values; ++k) twister_value(g);
  } else {
    live = uint32NDArray(dim_vector(state_words, 1));
    octave::get_mersenne_twister_state(reinterpret_cast<uint32_t*>(live.fortran_vec()));
  }
  const double seed_before = octave::rand::seed();
  const double value = octave::rand::scalar();
  const double seed_after = octave::rand::seed();
  if (std::memcmp(&seed_before, &seed_after, sizeof seed_before) == 0) {
    if (!replay) octave::rand::state(live, name_of(g));
    return true;
  }
  octave::set_mersenne_twister_state(session.speculation_start);
  session.twister = false;
  session.redo_pending = !closing;
  session.redo_value = value;
  if (closing)
    for (int64_t k = 1; k < values; ++k) octave::rand::scalar();
  return false;
}

// The older generator's first uniform for a speculative call's next try.
bool take_redo_value(int g, double* value) {
  if (!session.redo_pending || g != generator_uniform) return false;
  session.redo_pending = false;
  *value = session.redo_value;
  return true;
}

}  // namespace
