#include "dirichlet.h"

#include <algorithm>
#include <cmath>

double exponentials_in_place(double* values, int32_t n, const double* prior) {
  double total = 0;
  for (int32_t j = 0; j < n; ++j) {
    values[j] = prior != nullptr ? (-std::log(values[j])) * prior[j] : -std::log(values[j]);
    total = values[j] + total;
  }
  return total;
}

namespace {

void draw_block(replicate_source* s, int32_t columns) {
  if (s->block != nullptr) mxDestroyArray(s->block);
  s->block = host_draw_array("rand", output_size{s->n, columns});
}

}  // namespace

replicate_source replicate_source_for(int32_t n, int32_t replicates) {
  return replicate_source{n, replicates, 0, false, nullptr};
}

int64_t replicate_block_values(int32_t threads) {
  return std::min<int64_t>(threads, max_block_threads) * values_per_thread;
}

replicate_block next_replicate_block(replicate_source* s, int64_t block_values) {
  int32_t columns = 1;
  if (s->handed == 0) {
    // The first replicate alone tells which generator is in use: a draw
    // moves rand ("seed") only while the older one is.
    const bool builtin = s->left > 1 && is_host_builtin("rand");
    const double seed = builtin ? old_generator_seed("rand") : 0;
    draw_block(s, 1);
    s->merge = builtin && old_generator_seed("rand") == seed;
  } else {
    const int64_t fit = s->merge ? std::max<int64_t>(1, block_values / std::max<int32_t>(s->n, 1)) : 1;
    columns = static_cast<int32_t>(std::min<int64_t>(fit, s->left));
    draw_block(s, columns);
  }
  const replicate_block block{mxGetPr(s->block), s->handed, columns};
  s->handed += columns;
  s->left -= columns;
  return block;
}

void release_replicate_source(replicate_source* s) {
  if (s->block != nullptr) mxDestroyArray(s->block);
  s->block = nullptr;
}

double read_replicate_count(const mxArray* b) {
  if (!is_scalar_shape(b)) fail("notScalar", msg_b_not_scalar);
  return read_size_arg(b, "B");
}

void check_prior_shape(const mxArray* w, int64_t n, const char* length_message) {
  constexpr const char* msg_not_column = "W must be a column vector.";
  if (cols_of(w) > 1) fail("notColumn", msg_not_column);
  if (rows_of(w) != n) fail("wrongLength", length_message);
  if (cols_of(w) == 0 && n > 0) fail("notColumn", msg_not_column);
}
