// Octave's state-based uniform generator, run on a copy of its state: the
// Mersenne twister MT19937 (Matsumoto and Nishimura, ACM TOMACS 8, 1998)
// and the 53-bit doubles that Octave's rand () makes of pairs of its words.
// The same values and the same final state as drawing them one by one
// through liboctave, in a fraction of the time: the words of a whole state
// are regenerated and tempered in loops the compiler vectorises, where
// liboctave's draw goes word by word through a branch and a call.
#pragma once

#include <cstdint>

// Octave's saved twister state (its get/set_mersenne_twister_state): the
// 624 words, then `left`, one more than the words not yet read.
constexpr int twister_state_words = 625;

// The next `count` values of rand () into `values`, `state` advanced past
// them. False, with nothing drawn or changed, when the state's `left` is
// not one Octave sets (1 to 624).
bool twister_doubles(uint32_t* state, double* values, int64_t count);
