#include "weight_columns.h"

#include <cmath>
#include <cstdio>

#include "../host/interrupt.h"

namespace {

constexpr const char* what_shape = " must be a vector or a matrix.";
constexpr const char* what_not_finite = "holds NaN or +Inf.";
constexpr const char* what_all_zero = "is all -Inf: it has no positive weight.";
// Elements between interrupt checks: well under a millisecond of work.
constexpr int64_t poll_every = 1 << 16;

[[noreturn]] void fail_column(const char* reason, int64_t column, const char* name,
                              const char* what) {
  char text[160];
  std::snprintf(text, sizeof text, "Column %lld of %s %s", static_cast<long long>(column + 1),
                name, what);
  fail(reason, text);
}

}  // namespace

weight_columns read_weight_columns(const mxArray* a, const char* name) {
  require_real_double(a, name);
  if (mxGetNumberOfDimensions(a) > 2) fail_named("shape", name, what_shape);
  const int64_t rows = rows_of(a);
  const int64_t cols = cols_of(a);
  if (rows * cols == 0) return weight_columns{mxGetPr(a), rows, 0};
  if (rows == 1 || cols == 1) return weight_columns{mxGetPr(a), rows * cols, 1};
  return weight_columns{mxGetPr(a), rows, cols};
}

double checked_column_max(const weight_columns& s, int64_t column, const char* name) {
  const double* logw = s.logw + column * s.n;
  double max = -INFINITY;
  for (int64_t i = 0; i < s.n; ++i) {
    if ((i + 1) % poll_every == 0) leave_if_interrupted();
    // Written so that NaN fails the test too.
    if (!(logw[i] < INFINITY)) fail_column("notFinite", column, name, what_not_finite);
    if (logw[i] > max) max = logw[i];
  }
  if (max == -INFINITY) fail_column("noWeight", column, name, what_all_zero);
  return max;
}

double check_weight_columns(const weight_columns& s, const char* name) {
  double first_max = -INFINITY;
  // Many short sets are as long to check as one long one: Ctrl-C is asked
  // for by the elements checked, not by the sets.
  int64_t since_poll = 0;
  for (int64_t j = 0; j < s.sets; ++j) {
    const double max = checked_column_max(s, j, name);
    if (j == 0) first_max = max;
    since_poll += s.n;
    if (since_poll >= poll_every) {
      since_poll = 0;
      leave_if_interrupted();
    }
  }
  return first_max;
}
