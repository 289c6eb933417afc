// Octave inside the process, beyond the MEX interface: its generators (the
// values of the builtin rand and randn without an interpreter round trip),
// its interpreter's symbol table, which decides what a call by name runs,
// and the flag that Ctrl-C raises. The only translation unit that includes
// Octave's headers: they and mex.h cannot share one, and octave_host.h
// stands between them.
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

#include "interrupt.h"
#include "octave_host.h"
#include "octave_session.h"
#include "octave_settle.h"

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
