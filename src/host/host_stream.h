// The host's random streams: every value of Octave's "rand" and "randn"
// that a plug-in consumes comes from here, one at a time, a look-ahead
// window at a time, a block of uniforms at a time (host_uniforms) or as a
// whole array (host_draw_array in host.h).
//
// Every value is the one the host's rand () or randn () would return at
// that point, and when the plug-in call ends (normally, in an error or in
// an interrupt) both generators and Octave's current distribution are
// exactly where one host call per consumed value would leave them.
//
// Where the values come from, decided once per plug-in call and
// generator, at its first value:
// - Octave's builtin rand and randn: taken inside the process from
//   Octave's own generator, the state-based one with no interpreter round
//   trip, the older one (after rand ("seed", x)) through the builtin's own
//   draw one value at a time;
// - a rand or randn of the user's on the path, or a host that is not
//   Octave: one call of the host function by name per value (an array:
//   one call for the whole array), for both generators from then on, so
//   that a user's function that draws from the other one sees the states
//   one call per value would leave.
#pragma once

#include <cstdint>

// One plug-in call's use of the streams: open it before the first value
// and let it end with the call. Its end settles the streams, also when an
// error or an interrupt unwinds the call: Octave raises both as C++
// exceptions, so its destructor runs, and it is one of the guards that
// host.h allows to be alive at an error. Scopes nest: only the outermost
// one opens and settles, and a value drawn without any scope open settles
// at once (correct, but it pays the call's set-up for every value). Inside
// a scope the plug-in makes no other host call that may draw ("rand",
// "randn", or a host function that a user may have replaced).
struct host_stream_scope {
  host_stream_scope();
  ~host_stream_scope();
  host_stream_scope(const host_stream_scope&) = delete;
  host_stream_scope& operator=(const host_stream_scope&) = delete;
};

// The next value of the host's rand (), in (0, 1), and of its randn ().
double host_uniform();
double host_normal();

// Look-ahead at upcoming uniforms without consuming them, for an algorithm
// that evaluates a block of candidates at once and then keeps exactly the
// values its one-value-at-a-time form would have used:
//
//   const double* u = nullptr;
//   const int32_t n = host_uniforms_ahead(2, 512, &u);  // 2 <= n <= 512
//   ... scan u[0..n), find that the first j values decide ...
//   host_uniforms_consume(j);                           // 2 <= j <= n
//
// The window holds n values, `needed` <= n <= `wanted` <= host_lookahead_max,
// with `needed` >= 1 the fewest values the caller will certainly consume. It
// stays valid until host_uniforms_consume, which must follow before any
// other stream call and consume j values, needed <= j <= n; the other n - j
// values are the next ones drawn afterwards. Where values can only be drawn
// one by one (a user's rand, Octave's older generator) the window holds
// exactly `needed` values, all of which the caller then consumes.
inline constexpr int32_t host_lookahead_max = 4096;
int32_t host_uniforms_ahead(int32_t needed, int32_t wanted, const double** values);
void host_uniforms_consume(int32_t used);

// The next `count` values of the host's rand () into values[0 .. count),
// each consumed: those of count calls of rand (), one call per value where
// values come one by one. For an algorithm that knows a lower bound on the
// values it will consume and draws up to it ahead of its arithmetic.
void host_uniforms(double* values, int64_t count);

// The host's rand (M, N) or randn (M, N) a piece at a time, for a plug-in
// that works on one piece while the next is drawn. Where
// host_array_in_process (function) says so (inside the call's scope, for a
// non-empty array), successive host_array_pieces give the array's values
// in storage order and leave the generator where the one call would;
// otherwise ask for the whole array with host_draw_array.
bool host_array_in_process(const char* function);
void host_array_piece(const char* function, double* values, int64_t count);
