// Octave's own generators inside the process: the values of the builtin
// rand and randn without an interpreter round trip (octave_host.h says how
// the builtins draw and why this gives their values and states).
#if defined(__has_include)
#if __has_include(<octave/oct-rand.h>)
#define SAMPLEKIT_OCTAVE_GENERATOR 1
#endif
#endif

#ifdef SAMPLEKIT_OCTAVE_GENERATOR

#include <octave/oct-rand.h>
#include <octave/randmtzig.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "interrupt.h"
#include "octave_host.h"

namespace {

constexpr int state_words = MT_N + 1;  // the twister's words and its position
// Values drawn between two interrupt checks: about 5 ms of the twister.
constexpr int64_t fill_chunk = int64_t{1} << 20;
constexpr int no_generator = -1;

struct session_state {
  bool open;
  bool decided;  // the first value is drawn: `twister` is known
  bool twister;  // the state-based generator is in use
  // The generator whose live state the twister holds, which is also
  // Octave's current distribution (twister sessions only).
  int loaded = no_generator;
  // The loaded generator once it is touched: its next value is simply the
  // twister's next one.
  int hot = no_generator;
  bool touched[2];  // live state ahead of the one Octave has saved
  uint32_t parked[2][state_words];     // live state while not loaded
  uint32_t window_start[state_words];  // before a window's tentative values
  int32_t window_committed;            // window values drawn for good
  std::string found;  // Octave's current distribution at the first value
};

session_state session{};

void switch_to(int g) {
  g == generator_uniform ? octave::rand::uniform_distribution() : octave::rand::normal_distribution();
}

// Switches the current distribution back on leaving, as the builtin does
// also when its draw fails.
struct distribution_restorer {
  std::string previous = octave::rand::distribution();
  ~distribution_restorer() { octave::rand::distribution(previous); }
};

void open_session() {
  if (session.open) return;
  session.found = octave::rand::distribution();
  session.loaded = session.found == "uniform" ? generator_uniform
                   : session.found == "normal" ? generator_normal : no_generator;
  session.hot = no_generator;
  session.decided = session.twister = false;
  session.touched[0] = session.touched[1] = false;
  session.open = true;
}

// One value exactly as the builtin rand () or randn () draws it; the first
// of a session also reads the older generator's seed around it.
double builtin_draw(host_generator g) {
  const distribution_restorer restore;
  switch_to(g);
  if (session.decided) return octave::rand::nd_array(dim_vector(1, 1))(0);
  const double seed_before = octave::rand::seed();
  const double value = octave::rand::nd_array(dim_vector(1, 1))(0);
  const double seed_after = octave::rand::seed();
  // Compared as bits: the seed's two words can read as a NaN.
  session.twister = std::memcmp(&seed_before, &seed_after, sizeof seed_before) == 0;
  session.decided = true;
  return value;
}

// The builtin rand (count, 1): the values of count calls of rand ().
void builtin_fill(host_generator g, double* values, int64_t count) {
  const distribution_restorer restore;
  switch_to(g);
  const NDArray drawn = octave::rand::nd_array(dim_vector(count, 1));
  std::copy_n(drawn.data(), count, values);
}

// Makes the twister hold g's live state, parking the live state it held.
void load(host_generator g) {
  if (session.loaded == g) return;
  if (session.loaded != no_generator && session.touched[session.loaded])
    octave::get_mersenne_twister_state(session.parked[session.loaded]);
  switch_to(g);  // loads the state Octave saved for g
  if (session.touched[g]) octave::set_mersenne_twister_state(session.parked[g]);
  session.loaded = g;
  session.hot = no_generator;
}

void twister_fill(host_generator g, double* values, int64_t count) {
  load(g);
  session.touched[g] = true;
  g == generator_uniform ? octave::rand_uniform<double>(count, values)
                         : octave::rand_normal<double>(count, values);
}

// Hands a live state to Octave as g's own. The distribution is switched
// first: setting another distribution's state would leave it in the
// twister under the current one's name.
void store(host_generator g, const uint32_t* live) {
  switch_to(g);
  uint32NDArray words(dim_vector(state_words, 1));
  std::copy_n(live, state_words, reinterpret_cast<uint32_t*>(words.fortran_vec()));
  octave::rand::state(words, g == generator_uniform ? "uniform" : "normal");
}

}  // namespace

double octave_next(host_generator g) {
  if (session.hot != g) {
    open_session();
    if (!session.decided || !session.twister) return builtin_draw(g);
    load(g);
    session.touched[g] = true;
    session.hot = g;
  }
  return g == generator_uniform ? octave::rand_uniform<double>() : octave::rand_normal<double>();
}

void octave_fill(host_generator g, double* values, int64_t count) {
  open_session();
  int64_t done = 0;
  if (!session.decided && count > 0) values[done++] = builtin_draw(g);
  while (done < count) {
    const int64_t chunk = std::min(count - done, fill_chunk);
    session.twister ? twister_fill(g, values + done, chunk) : builtin_fill(g, values + done, chunk);
    done += chunk;
    if (done < count) leave_if_interrupted();
  }
}

int32_t octave_uniforms_peek(double* values, int32_t needed, int32_t wanted) {
  open_session();
  int32_t drawn = 0;
  if (!session.decided) values[drawn++] = builtin_draw(generator_uniform);
  if (!session.twister) {
    while (drawn < needed) values[drawn++] = builtin_draw(generator_uniform);
    return drawn;
  }
  load(generator_uniform);
  session.hot = no_generator;
  octave::get_mersenne_twister_state(session.window_start);
  session.window_committed = drawn;
  twister_fill(generator_uniform, values + drawn, wanted - drawn);
  return wanted;
}

void octave_uniforms_take(int32_t used, int32_t size) {
  if (!session.twister || used == size) return;
  // Back to the state before the tentative values, then forward by the
  // ones kept: the twister ends where drawing only those would leave it.
  octave::set_mersenne_twister_state(session.window_start);
  for (int32_t k = session.window_committed; k < used; ++k) octave::rand_uniform<double>();
}

void octave_session_close() noexcept {
  if (!session.open) return;
  session.open = false;
  session.hot = no_generator;
  try {
    if (session.twister) {
      if (session.loaded != no_generator && session.touched[session.loaded])
        octave::get_mersenne_twister_state(session.parked[session.loaded]);
      for (const host_generator g : {generator_uniform, generator_normal})
        if (session.touched[g]) store(g, session.parked[g]);
    }
    // Loads the found distribution's state into the twister, as the
    // builtin's switch back does.
    octave::rand::distribution(session.found);
  } catch (...) {
    // Only an allocation can fail here: an unwinding call cannot report it.
  }
}

#endif
