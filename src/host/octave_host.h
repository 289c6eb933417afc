// What the host layer reaches of Octave beyond the MEX interface, all in
// octave_host.cpp: its generators, and its interpreter's symbol table and
// interrupt flag. Octave's headers and mex.h cannot share a translation
// unit, so these plain declarations stand between them. Only built and
// called under Octave; main thread only.
#pragma once

#include <cstdint>

enum host_generator : int { generator_uniform = 0, generator_normal = 1 };

// Whether a call of `name` by name resolves to one of Octave's builtin
// functions rather than to a function of the user's: the very lookup the
// interpreter makes for the call with no arguments, or with two double
// size arguments (which a class method for doubles could take). False
// when there is no interpreter to ask.
bool octave_function_is_builtin(const char* name, bool with_size_arguments);

// How the builtins draw (libinterp's rand.cc, liboctave's oct-rand.cc):
// rand () switches Octave's current distribution to "uniform", fills its
// result from the one global Mersenne Twister (after rand ("seed", x),
// from the older generator instead), saves the twister's state as the
// distribution's own and switches back to the distribution it found, which
// loads that one's saved state into the twister; randn does the same with
// "normal". Octave's fill is one scalar draw per value, so drawing from the
// twister directly gives the builtin's values; a session keeps each touched
// distribution's live state and hands it to Octave once, at its close.
//
// Which generator is in use has no getter. Octave's answer to rand ("seed")
// is the older generator's current seed, which a draw moves only while that
// generator is in use (its congruential steps have no fixed point), so a
// session's first value, drawn the builtin's own way, tells. The older
// generator then keeps the builtin's own draw for every value.
//
// A session runs from the first value a plug-in call draws in process to
// octave_session_close.
//
// The next value of `g`, the one the builtin would return.
double octave_next(host_generator g);
// The next `count` values of `g` into `values`, those of count calls of
// the builtin. Polls for an interrupt between chunks of about 5 ms.
void octave_fill(host_generator g, double* values, int64_t count);
// Uniforms for a look-ahead window: returns n, needed <= n <= wanted, and
// writes them to `values`; octave_uniforms_take (j, n), needed <= j <= n,
// then keeps the first j of them. Where the values can only be drawn one
// by one, n is `needed`.
int32_t octave_uniforms_peek(double* values, int32_t needed, int32_t wanted);
void octave_uniforms_take(int32_t used, int32_t size);
// Leaves both generators' states and the current distribution where one
// builtin call per value drawn would have left them. Never throws.
void octave_session_close() noexcept;

// The host check (octave_check.inc): at its first session's first value,
// a module proves on the generators' states that the values and states of
// this adapter are the builtins'. Whether it found a difference, and then
// which; the rest of that session draws each value the builtin's own way.
bool octave_check_failed();
const char* octave_check_failure();
// The Octave version whose headers built the module, the one it runs on.
const char* octave_version_text();
// The check runs again at the next session's first value: for the bench,
// which times it.
void octave_check_again();
