// The host's random streams (host_stream.h): where a plug-in call's values
// come from, the path by name, look-ahead windows and blocks of uniforms
// (whole arrays: host_arrays.cpp).
#include "host_stream.h"
#include "host_stream_shared.h"

#include <algorithm>
#include <cstring>

#include "host.h"
#include "interrupt.h"
#include "octave_host.h"

namespace {

struct look_ahead {
  bool open;
  bool in_process;
  int32_t size;
  int32_t needed;
  double values[host_lookahead_max];
};

struct call_streams {
  int depth;     // open scopes
  bool by_name;  // for the rest of the call: a user's function was met
  bool resolved[2][2];  // [generator][form]: the builtin answers
  bool session;         // values were drawn in process
  // g's next value comes straight from the session: a scope is open, g
  // resolved to the builtin and no window is open.
  bool ready[2];
  look_ahead window;
};

call_streams streams{};
const char* const function_of[2] = {"rand", "randn"};

// One value from one host call with no arguments, its 1 x 1 result
// destroyed at once (a million would otherwise live until the call ends).
double value_per_call(const char* function) {
  mxArray* result = nullptr;
  mexCallMATLAB(1, &result, 0, nullptr, function);
  if (result == nullptr || !is_real_double(result) || mxGetNumberOfElements(result) != 1)
    fail_host_result(function);
  const double value = mxGetScalar(result);
  mxDestroyArray(result);
  return value;
}

}  // namespace

// Once a form resolves to a user's function, both generators go by name for
// the rest of the call, after settling what was drawn in process: a user's
// rand that calls randn (or the reverse) must see the states that one call
// per value would have left.
bool stream_in_process(host_generator g, call_form form) {
  if (streams.by_name) return false;
  if (streams.resolved[g][form]) return true;
#ifdef HAVE_OCTAVE
  // A module whose host check failed goes by name as for a user's function.
  if (!octave_check_failed() && octave_function_is_builtin(function_of[g], form == form_array)) {
    streams.resolved[g][form] = true;
    return true;
  }
  if (streams.session) octave_session_close();
#endif
  streams.by_name = true;
  streams.ready[0] = streams.ready[1] = false;
  return false;
}

void stream_close_window() {
  if (streams.window.open) host_uniforms_consume(streams.window.needed);
}

void stream_session_begun() { streams.session = true; }

bool stream_scope_open() { return streams.depth > 0; }

namespace {

// The first value of g in a call, or any value outside a scope or after a
// window.
double next_value_slowly(host_generator g) {
  const host_stream_scope scope;
  stream_close_window();
#ifdef HAVE_OCTAVE
  if (stream_in_process(g, form_value)) {
    streams.session = true;
    streams.ready[g] = streams.depth > 1;  // a caller's scope is open
    const double value = octave_next(g);
    stream_after_values();
    return value;
  }
#endif
  return value_per_call(function_of[g]);
}

double next_value(host_generator g) {
#ifdef HAVE_OCTAVE
  if (streams.ready[g]) return octave_next(g);
#endif
  return next_value_slowly(g);
}

}  // namespace

host_stream_scope::host_stream_scope() {
  if (streams.depth++ > 0) return;
  streams.by_name = false;
  std::memset(streams.resolved, 0, sizeof streams.resolved);
  streams.session = false;
  streams.ready[0] = streams.ready[1] = false;
  streams.window.open = false;
#ifndef HAVE_OCTAVE
  streams.by_name = true;  // no other way to reach the host's generators
#endif
}

host_stream_scope::~host_stream_scope() {
  if (--streams.depth > 0) return;
  stream_close_window();
#ifdef HAVE_OCTAVE
  if (streams.session) octave_session_close();
#endif
  streams.session = false;
  streams.ready[0] = streams.ready[1] = false;
}

double host_uniform() { return next_value(generator_uniform); }

double host_normal() { return next_value(generator_normal); }

int32_t host_uniforms_ahead(int32_t needed, int32_t wanted, const double** values) {
  stream_close_window();
  look_ahead& w = streams.window;
  needed = std::clamp(needed, 1, host_lookahead_max);
  wanted = std::clamp(wanted, needed, host_lookahead_max);
  // Without an open scope the window would be settled at once: the values
  // are then drawn one by one, as many as the caller will certainly use.
  w.in_process = false;
  streams.ready[generator_uniform] = false;
  int32_t size = needed;
#ifdef HAVE_OCTAVE
  if (streams.depth > 0 && stream_in_process(generator_uniform, form_value)) {
    streams.session = true;
    w.in_process = true;
    size = octave_uniforms_peek(w.values, needed, wanted);
    stream_after_values();
  }
#endif
  if (!w.in_process)
    for (int32_t k = 0; k < needed; ++k) w.values[k] = next_value(generator_uniform);
  w.open = true;
  w.size = size;
  w.needed = needed;
  *values = w.values;
  return size;
}

void host_uniforms_consume(int32_t used) {
  look_ahead& w = streams.window;
  if (!w.open) return;
  w.open = false;
  used = std::clamp(used, w.needed, w.size);
#ifdef HAVE_OCTAVE
  if (w.in_process) octave_uniforms_take(used, w.size);
#endif
}

void host_uniforms(double* values, int64_t count) {
  if (count <= 0) return;
  const host_stream_scope scope;
  stream_close_window();
#ifdef HAVE_OCTAVE
  if (stream_in_process(generator_uniform, form_value)) {
    streams.session = true;
    octave_fill(generator_uniform, values, count);
    stream_after_values();
    return;
  }
#endif
  for (int64_t k = 0; k < count; ++k) values[k] = value_per_call(function_of[generator_uniform]);
}
