// Octave's rand () values from a copy of its twister state (twister.h).
#include "twister.h"

#include <algorithm>
#include <cmath>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr int words = 624;  // the state's words
constexpr int shift = 397;  // the distance of the third word of a twist

// One word of the next state from the word, its successor and the word
// `shift` places on: the upper bit of the first and the lower 31 of the
// second, shifted, and the matrix constant where the second is odd.
inline uint32_t twisted(uint32_t word, uint32_t successor, uint32_t far) {
  const uint32_t joined = (word & 0x80000000u) | (successor & 0x7fffffffu);
  return far ^ (joined >> 1) ^ (0x9908b0dfu & (0u - (successor & 1u)));
}

// The whole state anew, word by word in place and in increasing order, as
// liboctave does: from word words - shift on, the far word is one already
// renewed, and the last word's successor is the renewed first.
void twist(uint32_t* state) {
  for (int i = 0; i < words - shift; ++i) state[i] = twisted(state[i], state[i + 1], state[i + shift]);
  for (int i = words - shift; i < words - 1; ++i)
    state[i] = twisted(state[i], state[i + 1], state[i + shift - words]);
  state[words - 1] = twisted(state[words - 1], state[0], state[shift - 1]);
}

inline uint32_t tempered(uint32_t y) {
  y ^= y >> 11;
  y ^= (y << 7) & 0x9d2c5680u;
  y ^= (y << 15) & 0xefc60000u;
  return y ^ (y >> 18);
}

// out[k] = tempered (in[k]) for k < count, four words at a time.
void temper_words(const uint32_t* in, uint32_t* out, int count) {
  int k = 0;
#ifdef __SSE2__
  const __m128i b = _mm_set1_epi32(static_cast<int>(0x9d2c5680u));
  const __m128i c = _mm_set1_epi32(static_cast<int>(0xefc60000u));
  for (; k + 4 <= count; k += 4) {
    __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + k));
    y = _mm_xor_si128(y, _mm_srli_epi32(y, 11));
    y = _mm_xor_si128(y, _mm_and_si128(_mm_slli_epi32(y, 7), b));
    y = _mm_xor_si128(y, _mm_and_si128(_mm_slli_epi32(y, 15), c));
    y = _mm_xor_si128(y, _mm_srli_epi32(y, 18));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), y);
  }
#endif
  for (; k < count; ++k) out[k] = tempered(in[k]);
}

// 27 bits of the first word and 26 of the second: a double in (0, 1) on the
// grid 2^-53, every step exact. A pair of zeros would give 0, and Octave
// draws another pair instead: false then.
inline bool pair_value(uint32_t first, uint32_t second, double* value) {
  const int32_t a = static_cast<int32_t>(first >> 5);
  const int32_t b = static_cast<int32_t>(second >> 6);
  *value = (a * 67108864.0 + b) * (1.0 / 9007199254740992.0);
  return a != 0 || b != 0;
}

// The values of the pairs (words[k], words[k + 1]), (words[k + 2], ...),
// two pairs at a time, while four words are left; stops before a pair of
// zeros, which the caller's pair_value then meets. Returns the next k.
int pair_values(const uint32_t* words, int k, int count, double* values, int64_t* done) {
#ifdef __SSE2__
  const __m128d high = _mm_set1_pd(67108864.0);
  const __m128d scale = _mm_set1_pd(1.0 / 9007199254740992.0);
  for (; k + 4 <= count; k += 4) {
    // Words f0 s0 f1 s1 as f0 f1 s0 s1: the two firsts, then the two seconds.
    const __m128i w = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(words + k)),
                                        _MM_SHUFFLE(3, 1, 2, 0));
    const __m128i a = _mm_srli_epi32(w, 5);
    const __m128i b = _mm_srli_epi32(_mm_srli_si128(w, 8), 6);
    const __m128i zero_pair = _mm_cmpeq_epi32(_mm_or_si128(a, b), _mm_setzero_si128());
    if ((_mm_movemask_epi8(zero_pair) & 0xff) != 0) break;
    const __m128d v = _mm_mul_pd(_mm_add_pd(_mm_mul_pd(_mm_cvtepi32_pd(a), high), _mm_cvtepi32_pd(b)), scale);
    _mm_storeu_pd(values + *done, v);
    *done += 2;
  }
#else
  (void)words, (void)count, (void)values, (void)done;
#endif
  return k;
}

}  // namespace

bool twister_doubles(uint32_t* state, double* values, int64_t count) {
  const uint32_t left = state[words];
  if (left < 1 || left > static_cast<uint32_t>(words)) return false;
  int next = words - static_cast<int>(left) + 1;  // the next word to read; `words`: twist first
  uint32_t block[words];
  int64_t done = 0;
  bool pending = false;  // a pair's first word read at the end of the last block
  uint32_t first_word = 0;
  while (done < count) {
    if (next == words) {
      twist(state);
      next = 0;
    }
    // No more words than the values still wanted take: the state must end
    // right after the last word used.
    const int64_t wanted = 2 * (count - done) - (pending ? 1 : 0);
    const int taken = static_cast<int>(std::min<int64_t>(wanted, words - next));
    temper_words(state + next, block, taken);
    next += taken;
    int k = 0;
    double value;
    if (pending) {
      if (pair_value(first_word, block[k++], &value)) values[done++] = value;
      pending = false;
    }
    k = pair_values(block, k, taken, values, &done);
    for (; k + 1 < taken; k += 2)
      if (pair_value(block[k], block[k + 1], &value)) values[done++] = value;
    if (k < taken) {  // the pair goes on in the next block
      pending = true;
      first_word = block[k];
    }
  }
  state[words] = static_cast<uint32_t>(words - next + 1);
#ifdef SAMPLEKIT_PLANTED_FAULT
  // The test build of tests/test_host_check.m: one value a hair off, which
  // the host check must find.
  if (count > 0) values[0] = std::nextafter(values[0], 0.0);
#endif
  return true;
}
