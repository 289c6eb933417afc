// The draws of one variable in ascending order, by a least-significant-
// digit radix sort of their bit patterns: eight passes of one byte each,
// a pass skipped when every key has the same byte there. Linear in the
// draws, about four times as fast as a comparison sort at a few thousand,
// and each pass is a plain loop that can stop for Ctrl-C.
#include <cstring>
#include <utility>

#include "mcmc.h"

namespace {

constexpr int key_bytes = 8;
constexpr int buckets = 256;

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
  int64_t counts[key_bytes][buckets] = {};
  for (int64_t i = 0; i < n; ++i) {
    if ((i & check_mask) == check_mask) check();
    keys[i] = order_key(x[i]);
    order[i] = static_cast<uint32_t>(i);
    for (int b = 0; b < key_bytes; ++b) ++counts[b][(keys[i] >> (8 * b)) & 0xFF];
  }
  uint64_t* from_key = keys;
  uint32_t* from_order = order;
  uint64_t* to_key = keys + n;
  uint32_t* to_order = order + n;
  for (int b = 0; b < key_bytes; ++b) {
    const int shift = 8 * b;
    if (counts[b][(from_key[0] >> shift) & 0xFF] == n) continue;  // one byte value: nothing moves
    int64_t start[buckets];
    int64_t total = 0;
    for (int d = 0; d < buckets; ++d) {
      start[d] = total;
      total += counts[b][d];
    }
    // Stable: keys with equal bytes keep the order of the last pass.
    for (int64_t i = 0; i < n; ++i) {
      if ((i & check_mask) == check_mask) check();
      const int64_t to = start[(from_key[i] >> shift) & 0xFF]++;
      to_key[to] = from_key[i];
      to_order[to] = from_order[i];
    }
    std::swap(from_key, to_key);
    std::swap(from_order, to_order);
  }
  if (from_order != order) std::memcpy(order, from_order, static_cast<size_t>(n) * sizeof *order);
  for (int64_t i = 0; i < n; ++i) values[i] = x[order[i]];
}
