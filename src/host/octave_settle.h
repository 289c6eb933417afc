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

}  // namespace
