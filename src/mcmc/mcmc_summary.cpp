// S = mcmc_summary (X), S = mcmc_summary (X, NAMES), mcmc_summary (...)
//
// Summary statistics and convergence diagnostics of MCMC draws X
// (iterations x chains x variables): one struct element per variable with
// its name, mean, median, sd, mad, 5 % and 95 % quantiles, rank-normalised
// split R-hat, bulk and tail ESS and the Monte Carlo standard error of the
// mean. With no output it prints them as a table instead. The variables
// are independent tasks for the worker threads; what they share (where
// each draw goes among the split chains, the normal scores of the ranks,
// the FFT's twiddles) is made once beforehand.
#include <atomic>
#include <cmath>
#include <cstdio>

#include "../host/host.h"
#include "../host/interrupt.h"
#include "../host/threads.h"
#include "mcmc.h"
#include "summary_table.h"

namespace {

constexpr const char* msg_dimensions = "X must be iterations x chains x variables: at most three dimensions.";
constexpr const char* msg_size = "X must have fewer than 2^31 draws of each variable, and fewer than 2^31 variables.";
constexpr const char* msg_names = "NAMES must be a cell array of strings, one for each variable.";
constexpr int64_t size_limit = int64_t{1} << 31;
// Variables of more draws than this are summarised one at a time on this
// thread, which then answers Ctrl-C inside each; smaller ones are tasks of
// a few milliseconds for the worker threads.
constexpr int64_t max_task_draws = 1 << 16;
// The draws one thread summarises in about 100 microseconds.
constexpr double break_even_draws = 2000;

struct call_shape {
  int64_t iterations;
  int64_t chains;
  int64_t variables;
};

call_shape read_shape(const mxArray* x) {
  require_real_double(x, "X");
  const mwSize dims = mxGetNumberOfDimensions(x);
  if (dims > 3) fail("dimensions", msg_dimensions);
  const mwSize* d = mxGetDimensions(x);
  const call_shape shape{static_cast<int64_t>(d[0]), static_cast<int64_t>(d[1]),
                         dims == 3 ? static_cast<int64_t>(d[2]) : 1};
  // Divided rather than multiplied, so that no product can overflow.
  if (shape.variables >= size_limit || (shape.chains > 0 && shape.iterations >= size_limit / shape.chains))
    fail("size", msg_size);
  return shape;
}

bool is_name(const mxArray* a) {
  return a != nullptr && mxIsChar(a) && mxGetNumberOfDimensions(a) == 2 && rows_of(a) <= 1;
}

// One string for one variable, or a cell array of one string a variable.
void check_names(const mxArray* names, int64_t variables) {
  if (variables == 1 && is_name(names)) return;
  if (!mxIsCell(names) || static_cast<int64_t>(mxGetNumberOfElements(names)) != variables)
    fail("names", msg_names);
  for (int64_t v = 0; v < variables; ++v)
    if (!is_name(mxGetCell(names, v))) fail("names", msg_names);
}

const mxArray* given_name(const mxArray* names, int64_t v) {
  return mxIsCell(names) ? mxGetCell(names, v) : names;
}

// Scratch slots for the tasks that run at once: one thread holds at most
// one, so a task that asks always finds one free. The lock is held for a
// few instructions.
struct slot_pool {
  std::atomic_flag lock = ATOMIC_FLAG_INIT;
  int32_t free[max_threads];
  int32_t count = 0;

  int32_t take() {
    while (lock.test_and_set(std::memory_order_acquire)) {}
    const int32_t slot = free[--count];
    lock.clear(std::memory_order_release);
    return slot;
  }
  void give(int32_t slot) {
    while (lock.test_and_set(std::memory_order_acquire)) {}
    free[count++] = slot;
    lock.clear(std::memory_order_release);
  }
};

void summarise_all(const double* x, const call_shape& shape, const split_plan& plan, int32_t threads,
                   double* rows) {
  const call_tables tables = make_tables(plan);
  const int64_t n = shape.iterations * shape.chains;
  const int64_t per_slot = scratch_doubles(plan);
  const int32_t used = threads_for(threads, static_cast<double>(n) * shape.variables, break_even_draws);
  if (used == 1 || n > max_task_draws) {
    double* scratch = static_cast<double*>(mxMalloc(static_cast<size_t>(per_slot) * sizeof(double)));
    for (int64_t v = 0; v < shape.variables; ++v) {
      summarise_variable(x + v * n, plan, tables, scratch, leave_if_interrupted, rows + v * summary_columns);
      leave_if_interrupted();
    }
    mxFree(scratch);
  } else {
    double* scratch = static_cast<double*>(mxMalloc(static_cast<size_t>(used * per_slot) * sizeof(double)));
    slot_pool pool;
    for (; pool.count < used; ++pool.count) pool.free[pool.count] = pool.count;
    run_tasks(used, shape.variables, [&](int64_t v) {
      const int32_t slot = pool.take();
      summarise_variable(x + v * n, plan, tables, scratch + slot * per_slot, no_interrupt_check,
                         rows + v * summary_columns);
      pool.give(slot);
    });
    mxFree(scratch);
  }
  free_tables(tables);
}
mxArray* summary_struct(const double* rows, int64_t variables, const mxArray* names) {
  const char* fields[summary_columns + 1] = {"names"};
  for (int c = 0; c < summary_columns; ++c) fields[c + 1] = summary_column_names[c];
  mxArray* s = mxCreateStructMatrix(1, variables, summary_columns + 1, fields);
  char name[32];
  for (int64_t v = 0; v < variables; ++v) {
    poll_interrupt(v);
    std::snprintf(name, sizeof name, "x[%lld]", static_cast<long long>(v + 1));
    mxSetFieldByNumber(s, v, 0, names != nullptr ? mxDuplicateArray(given_name(names, v)) : mxCreateString(name));
    for (int c = 0; c < summary_columns; ++c)
      mxSetFieldByNumber(s, v, c + 1, mxCreateDoubleScalar(rows[v * summary_columns + c]));
  }
  return s;
}

void print_table(const double* rows, const call_shape& shape, const mxArray* names) {
  char** texts = static_cast<char**>(mxMalloc(static_cast<size_t>(shape.variables + 1) * sizeof(char*)));
  for (int64_t v = 0; v < shape.variables; ++v) {
    poll_interrupt(v);
    if (names != nullptr) {
      texts[v] = mxArrayToString(given_name(names, v));
    } else {
      texts[v] = static_cast<char*>(mxMalloc(32));
      std::snprintf(texts[v], 32, "x[%lld]", static_cast<long long>(v + 1));
    }
  }
  print_summary(rows, shape.variables, texts, shape.chains);
  for (int64_t v = 0; v < shape.variables; ++v) mxFree(texts[v]);
  mxFree(texts);
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  require_outputs_at_most(nlhs, 1);
  require_input_count(nrhs == 1 || nrhs == 2);
  const call_shape shape = read_shape(prhs[0]);
  const mxArray* names = nrhs == 2 ? prhs[1] : nullptr;
  if (names != nullptr) check_names(names, shape.variables);
  const int32_t threads = thread_count();

  const split_plan plan = make_split_plan(shape.iterations, shape.chains);
  double* rows = static_cast<double*>(
      mxMalloc(static_cast<size_t>(shape.variables * summary_columns + 1) * sizeof(double)));
  summarise_all(mxGetPr(prhs[0]), shape, plan, threads, rows);
  if (nlhs >= 1) plhs[0] = summary_struct(rows, shape.variables, names);
  else print_table(rows, shape, names);
  mxFree(rows);
}
