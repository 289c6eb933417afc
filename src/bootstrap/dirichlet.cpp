#include "dirichlet.h"

#include <cmath>

double exponentials_in_place(double* values, int32_t n, const double* prior) {
  double total = 0;
  for (int32_t j = 0; j < n; ++j) {
    values[j] = prior != nullptr ? (-std::log(values[j])) * prior[j] : -std::log(values[j]);
    total = values[j] + total;
  }
  return total;
}

mxArray* replicate_exponentials(int32_t n, const double* prior, double* total) {
  mxArray* uniforms = host_draw_array("rand", output_size{n, 1});
  *total = exponentials_in_place(mxGetPr(uniforms), n, prior);
  return uniforms;
}

double read_replicate_count(const mxArray* b) {
  if (!is_scalar_shape(b)) fail("notScalar", "B must be a scalar.");
  return read_size_arg(b, "B");
}

void check_prior_shape(const mxArray* w, int64_t n, const char* length_message) {
  constexpr const char* msg_not_column = "W must be a column vector.";
  if (cols_of(w) > 1) fail("notColumn", msg_not_column);
  if (rows_of(w) != n) fail("wrongLength", length_message);
  if (cols_of(w) == 0 && n > 0) fail("notColumn", msg_not_column);
}
