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
    // Counted over the whole array, so that many short sets are polled too.
    if ((column * s.n + i + 1) % poll_every == 0) leave_if_interrupted();
    // Written so that NaN fails the test too.
    if (!(logw[i] < INFINITY)) fail_column("notFinite", column, name, what_not_finite);
    if (logw[i] > max) max = logw[i];
  }
  if (max == -INFINITY) fail_column("noWeight", column, name, what_all_zero);
  return max;
}

namespace {

// Whether every set passes, and the first set's largest entry. Two plain
// passes, for many short sets as for one long one: every entry below +Inf
// (a flag and no branch per entry), then a search of each set for an
// entry above -Inf, which is nearly always its first. Sets are checked one
// by one (for the message naming the first at fault) only when this says
// no.
bool all_sets_pass(const weight_columns& s, double* first_max) {
  const int64_t count = s.n * s.sets;
  for (int64_t begin = 0; begin < count; begin += poll_every) {
    const int64_t end = begin + poll_every < count ? begin + poll_every : count;
    bool below_inf = true;  // and not NaN
    for (int64_t i = begin; i < end; ++i) below_inf = below_inf & (s.logw[i] < INFINITY);
    if (!below_inf) return false;
    leave_if_interrupted();
  }
  int64_t since_poll = 0;
  for (int64_t j = 0; j < s.sets; ++j) {
    const double* logw = s.logw + j * s.n;
    int64_t i = 0;
    while (i < s.n && !(logw[i] > -INFINITY)) ++i;
    if (i == s.n) return false;
    since_poll += i + 1;
    if (since_poll >= poll_every) {
      since_poll = 0;
      leave_if_interrupted();
    }
  }
  if (s.sets > 0) *first_max = column_max(s.logw, s.n);
  return true;
}

}  // namespace

double check_weight_columns(const weight_columns& s, const char* name) {
  double first_max = -INFINITY;
  if (all_sets_pass(s, &first_max)) return first_max;
  for (int64_t j = 0; j < s.sets; ++j) checked_column_max(s, j, name);
  return first_max;  // not reached: some set fails
}
