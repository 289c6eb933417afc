// The draws of one variable in ascending order, by a least-significant-
// digit radix sort of their bit patterns: six passes of 11 bits each, a
// pass skipped when every key has the same digit there. Linear in the
// draws, about 1.3 times as fast as std::sort at 4000 (and twice as fast
// as eight passes of one byte, whose counters of the few exponent bytes
// serialise the scatter), and each pass is a plain loop that can stop for
// Ctrl-C.
#include <cstring>
#include <utility>

#include "mcmc.h"

namespace {

constexpr int digit_bits = 11;
constexpr int digits = 6;  // 6 x 11 bits cover the 64
constexpr int buckets = 1 << digit_bits;
constexpr uint64_t digit_mask = buckets - 1;

// Unsigned keys in the order of the doubles: a non-negative double's bits
// with the sign bit set, a negative one's bits inverted. -0 is keyed as +0,
// so the two compare equal as they do as numbers.
uint64_t order_key(double v) {
  if (v == 0) v = 0.0;
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return (bits >> 63) != 0 ? ~bits : bits | (uint64_t{1} << 63);
}

}  // namespace

void sort_draws(const double* x, int64_t n, uint64_t* keys, uint32_t* order, double* values,
                interrupt_check check) {
  if (n == 0) return;
  // Counts below 2^31: the caller keeps n there.
  uint32_t counts[digits][buckets] = {};
  for (int64_t i = 0; i < n; ++i) {
    if ((i & check_mask) == check_mask) check();
    keys[i] = order_key(x[i]);
    order[i] = static_cast<uint32_t>(i);
    for (int b = 0; b < digits; ++b) ++counts[b][(keys[i] >> (digit_bits * b)) & digit_mask];
  }
  uint64_t* from_key = keys;
  uint32_t* from_order = order;
  uint64_t* to_key = keys + n;
  uint32_t* to_order = order + n;
  for (int b = 0; b < digits; ++b) {
    const int shift = digit_bits * b;
    if (counts[b][(from_key[0] >> shift) & digit_mask] == n) continue;  // one digit: nothing moves
    uint32_t start[buckets];
    uint32_t total = 0;
    for (int d = 0; d < buckets; ++d) {
      start[d] = total;
      total += counts[b][d];
    }
    // Stable: keys with equal digits keep the order of the last pass.
    for (int64_t i = 0; i < n; ++i) {
      if ((i & check_mask) == check_mask) check();
      const uint32_t to = start[(from_key[i] >> shift) & digit_mask]++;
      to_key[to] = from_key[i];
      to_order[to] = from_order[i];
    }
    std::swap(from_key, to_key);
    std::swap(from_order, to_order);
  }
  if (from_order != order) std::memcpy(order, from_order, static_cast<size_t>(n) * sizeof *order);
  for (int64_t i = 0; i < n; ++i) values[i] = x[order[i]];
}
