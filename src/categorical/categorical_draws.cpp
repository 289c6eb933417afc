// Y = categorical_draws (LOGP)
// Y = categorical_draws (LOGP, M)
//
// Categorical draws from unnormalised log-probabilities: column j of LOGP
// (a vector: all of it) holds the log-weights of K categories, and column j
// of the M x N result (1 x N without M) holds M independent draws of a
// category index from them. With m the column's largest entry, w_k =
// exp (logp_k - m) and C_k = w_1 + ... + w_k summed from the first row, the
// draw of host uniform u is the first k with C_k > u * C_K or, where
// rounding leaves none, the last k with w_k > 0. A zero weight is never
// drawn: its C_k equals the one before it. The uniforms are one host
// rand (M, N), whose storage order is the draws' (column j's M draws
// before column j + 1's); that array becomes the result in place.
#include <algorithm>
#include <atomic>
#include <cmath>

#include "../host/host.h"
#include "../host/interrupt.h"
#include "../host/threads.h"
#include "../resampling/weight_columns.h"
#include "column_draws.h"
#include "count_arg.h"

namespace {

constexpr const char* name = "logp";

// Work in units of one weight's exponential and sum (about 3 ns); a draw's
// search costs about a fifth of a unit per halving of K.
constexpr double search_step_work = 0.2;
// Worker threads: one per 20,000 units (about 100 microseconds; see
// threads_for). Columns are handed out a chunk of about 20,000 units at a
// time; the calling thread asks for Ctrl-C between its chunks. A column of
// more work than 2^20 units (some 5 ms) would hold a worker that long:
// such columns are drawn on the calling thread alone, which asks within
// them.
constexpr double break_even_work = 20000;
constexpr double chunk_work = 20000;
constexpr double column_work_most = 1 << 20;

struct categorical_call {
  weight_columns logp;
  output_size size;  // draws per column x columns
};

categorical_call read_call(int nlhs, int nrhs, const mxArray* prhs[]) {
  require_outputs_at_most(nlhs, 1);
  require_input_count(nrhs == 1 || nrhs == 2);
  const weight_columns logp = read_weight_columns(prhs[0], name);
  const double draws = nrhs == 2 ? read_count(prhs[1], "m") : 1;
  const output_size size = checked_size(draws, static_cast<double>(logp.sets));
  check_weight_columns(logp, name);
  return categorical_call{logp, size};
}

double column_work(int64_t k, int32_t m) {
  return static_cast<double>(k) + m * (1 + search_step_work * std::log2(static_cast<double>(k)));
}

// Where a call's draws go: column j's m draws at y + j * m, from logp + j * k.
struct draw_job {
  const double* logp;
  int64_t k;
  double* y;
  int32_t m;
  int64_t columns;
  int64_t chunk;              // columns handed out at a time
  bool alone;                 // no worker threads: the calling thread polls within columns
  std::atomic<int64_t> next;  // the first column not handed out yet
};

// Takes chunks of columns until none is left, with its own running sums.
// The calling thread stops handing out chunks once Ctrl-C is pending (the
// workers then finish theirs and run_tasks_beside hands the interrupt on).
void take_chunks(draw_job* job, double* sums, bool on_caller) {
  for (int64_t begin = job->next.fetch_add(job->chunk); begin < job->columns;
       begin = job->next.fetch_add(job->chunk)) {
    const int64_t end = std::min(job->columns, begin + job->chunk);
    draw_columns(job->logp + begin * job->k, job->k, end - begin, sums, job->y + begin * job->m,
                 job->m, on_caller && job->alone);
    if (on_caller && interrupt_pending()) job->next.store(job->columns);
  }
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const categorical_call call = read_call(nlhs, nrhs, prhs);
  const int32_t threads = thread_count();

  plhs[0] = host_draw_array("rand", call.size);
  const int32_t m = call.size.rows;
  const int64_t columns = call.size.cols;
  const int64_t k = call.logp.n;
  if (m == 0 || columns == 0) return;
  const double work = column_work(k, m);
  // Short columns go four at a time: chunks of a multiple of four.
  const int64_t group = k <= four_columns_most ? 4 : 1;
  const int64_t chunk = group * std::max<int64_t>(1, static_cast<int64_t>(chunk_work / (work * group)));
  const int32_t used = work > column_work_most ? 1 : threads_for(threads, work * columns, break_even_work);
  draw_job job{call.logp.logw, k, mxGetPr(plhs[0]), m, columns, chunk, used == 1, {0}};
  if (used == 1) {
    double* sums = static_cast<double*>(mxMalloc(sizeof(double) * column_room(k)));
    take_chunks(&job, sums, true);
    leave_if_interrupted();
    mxFree(sums);
    return;
  }
  // Running sums for the calling thread and for each of the `used` tasks,
  // each of which runs on one thread until the columns run out: no two
  // threads share theirs. The tasks that no worker took find none left.
  double* sums = static_cast<double*>(mxMalloc(sizeof(double) * column_room(k) * (used + 1)));
  run_tasks_beside(used, used, [&] { take_chunks(&job, sums, true); },
                   [&](int64_t t) { take_chunks(&job, sums + (t + 1) * column_room(k), false); });
  mxFree(sums);
}
