// The call's stream state that host_stream.cpp keeps and host_arrays.cpp
// also asks: nothing else includes this.
#pragma once

#include "octave_host.h"

// How a value or an array is asked for by name: rand () or rand (M, N).
// The interpreter resolves the two forms apart (a class method for doubles
// takes only the second), so each is looked up before its first use.
enum call_form : int { form_value = 0, form_array = 1 };

// Whether g's values in this form come from Octave's generator in process
// during this call.
bool stream_in_process(host_generator g, call_form form);
// Ends an open look-ahead window, consuming the values it must.
void stream_close_window();
// Values are about to be drawn in process: the call's end settles them.
void stream_session_begun();
// Values were drawn in process: where the module's host check has just
// failed, the warning, once in the Octave session.
void stream_after_values();
// Whether a plug-in call's scope is open (host_stream.h).
bool stream_scope_open();
