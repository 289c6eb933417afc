// The adapter: all that the host layer uses of Octave beyond the MEX
// interface, in this one translation unit (Octave's headers and mex.h
// cannot share one; octave_host.h stands between them). Its parts, which
// only this file includes: octave_session.inc (a generator session's state
// and steps), octave_settle.inc (values drawn ahead, and handing a
// session's values back to Octave), octave_check.inc (the host check).
//
// What it relies on that no Octave release promises, each checked on
// Octave 7.3.0, 9.4.0 and 11.3.0 (the suite and make compat), and the
// generators' part of it proved again by the host check in every session
// before a module's first value from the twister:
// - liboctave's randmtzig.h: the twister's state as get/set_mersenne_
//   twister_state copy it, 624 words and a 625th, one more than the words
//   not yet read (MT_N); rand_uniform<double> and rand_normal<double>, one
//   value or a block; and the 53-bit doubles of rand_uniform, 27 bits of
//   one word and 26 of the next, which twister.cpp makes itself.
// - liboctave's oct-rand.h, octave::rand: distribution (), its setters,
//   state (), seed (), scalar () and nd_array (); one saved state per
//   distribution, loaded by a switch; scalar () on the twister saving the
//   state after its value; a seed () that moves with each value only while
//   the older generator (rand ("seed", x)) is in use, by which the first
//   value of a session tells the generators apart.
// - libinterp's rand.cc: the builtin rand and randn switch to their
//   distribution, fill their result by that distribution's draw, save the
//   twister's state and switch back, which loads the found distribution's.
// - libinterp's symbol table: find_function (name, arguments), the lookup
//   by which a call by name resolves, and find_built_in_function.
// - liboctave's quit.h: octave_interrupt_state, which Octave's SIGINT
//   handler raises, and octave_quit (), which throws its interrupt.
#if defined(__has_include)
#if __has_include(<octave/oct-rand.h>) && __has_include(<octave/interpreter.h>)
#define SAMPLEKIT_OCTAVE_HOST 1
#endif
#endif

#ifdef SAMPLEKIT_OCTAVE_HOST

// interpreter.h comes first: one of its inline constructors calls the C
// library's rand (), which inside namespace octave would name the class
// octave::rand once oct-rand.h has declared it.
#include <octave/interpreter.h>
#include <octave/quit.h>
#include <octave/oct-rand.h>
#include <octave/randmtzig.h>

#include <octave/version.h>

#include "interrupt.h"
#include "octave_host.h"
#include "octave_session.inc"
#include "octave_settle.inc"
#include "octave_check.inc"

bool octave_function_is_builtin(const char* name, bool with_size_arguments) {
  octave::interpreter* interpreter = octave::interpreter::the_interpreter();
  if (interpreter == nullptr) return false;
  // mexCallMATLAB's feval looks the name up with the call's arguments and
  // no scope: only their classes matter, so any two doubles stand for the
  // size arguments.
  const octave_value_list arguments =
      with_size_arguments ? ovl(octave_value(1.0), octave_value(1.0)) : octave_value_list();
  const octave_value function = interpreter->get_symbol_table().find_function(name, arguments);
  return function.is_builtin_function();
}

bool octave_check_failed() { return host_check == check_failed; }

const char* octave_check_failure() { return check_failure; }

const char* octave_version_text() { return OCTAVE_VERSION; }

void octave_check_again() {
  if (host_check != check_running) host_check = check_pending;
}

// Octave's signal handler counts a Ctrl-C in octave_interrupt_state and
// raises octave_signal_caught; octave_quit () is the interpreter's own
// check, which hands both on and throws Octave's interrupt exception.
bool interrupt_pending() { return octave_interrupt_state > 0; }

void leave_if_interrupted() { octave_quit(); }

double octave_next(host_generator g) {
  if (session.hot != g) {
    session_state::drawn_ahead& a = session.ahead[g];
    if (a.used < a.size) {
      ++session.unsaved[g];
      return a.values[a.used++];
    }
    open_session();
    if (!session.decided || !session.twister) return builtin_value(g);
    // The loaded generator draws straight from the twister; the other one
    // a block ahead, rather than switching back and forth per value.
    if (session.loaded != g) {
      draw_ahead(g);
      return octave_next(g);
    }
    prepare_twister(g);
    session.hot = g;
  }
  ++session.unsaved[g];
  return twister_value(g);
}

void octave_fill(host_generator g, double* values, int64_t count) {
  open_session();
  int64_t done = 0;
  if (!session.decided && count > 0) values[done++] = builtin_value(g);
  // Values drawn ahead come first; the twister then goes on from their end.
  session_state::drawn_ahead& a = session.ahead[g];
  const int64_t ready = std::min<int64_t>(count - done, a.size - a.used);
  std::copy_n(a.values + a.used, ready, values + done);
  a.used += ready;
  session.unsaved[g] += ready;
  done += ready;
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
  if (!session.decided) values[drawn++] = builtin_value(generator_uniform);
  if (!session.twister) {
    while (drawn < needed) values[drawn++] = builtin_value(generator_uniform);
    return drawn;
  }
  drop_ahead(generator_uniform);
  prepare_twister(generator_uniform);
  session.hot = no_generator;
  octave::get_mersenne_twister_state(session.window_start);
  session.window_committed = drawn;
  twister_values(generator_uniform, wanted - drawn, values + drawn);
  return wanted;
}

void octave_uniforms_take(int32_t used, int32_t size) {
  if (!session.twister) return;
  session.unsaved[generator_uniform] += used - session.window_committed;
  if (used == size) return;
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
    for (const int g : {generator_uniform, generator_normal})
      if (session.unsaved[g] > 0) settle(g);
    // Loads the found distribution's state into the twister, as the
    // builtin's switch back does.
    if (session.loaded != session.found_generator) octave::rand::distribution(session.found);
  } catch (...) {
    // Only an allocation can fail here: an unwinding call cannot report it.
  }
  // No value drawn ahead outlives its session.
  for (auto& a : session.ahead) a.size = a.used = 0;
}

#endif
