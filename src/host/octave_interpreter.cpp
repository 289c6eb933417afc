// Octave's interpreter inside the process: the symbol table that decides
// what a call by name runs, and the flag that Ctrl-C raises. Kept apart
// from octave_generator.cpp: interpreter.h and oct-rand.h cannot share a
// translation unit (a name inside Octave's own headers clashes).
#if defined(__has_include)
#if __has_include(<octave/interpreter.h>)
#define SAMPLEKIT_OCTAVE_INTERPRETER 1
#endif
#endif

#ifdef SAMPLEKIT_OCTAVE_INTERPRETER

#include <octave/interpreter.h>
#include <octave/quit.h>

#include "interrupt.h"
#include "octave_host.h"

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

#endif
