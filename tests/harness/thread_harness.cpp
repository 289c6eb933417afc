// Test-only module: how the worker threads hand out work.
//   [VISITS, THREADS_SEEN] = thread_harness (THREADS, TASKS)        run_tasks
//   [VISITS, THREADS_SEEN] = thread_harness (THREADS, COUNT, CHUNK) run_in_chunks
// VISITS(k) counts the runs of task (or element) k; THREADS_SEEN is how
// many threads ran any. Every task waits, up to 10 s, until a second thread
// has run one, so that a pool that never starts its workers shows.
// Never installed: the suite builds it into build*/tests/.
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

#include "../../src/host/threads.h"
#include "mex.h"

namespace {

struct visit_log {
  std::unique_ptr<std::atomic<int>[]> visits;
  std::mutex lock;
  std::set<std::thread::id> threads;
};

void visit(visit_log* log, int64_t k, bool wait_for_company) {
  log->visits[k].fetch_add(1);
  {
    std::lock_guard<std::mutex> hold(log->lock);
    log->threads.insert(std::this_thread::get_id());
  }
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (wait_for_company && std::chrono::steady_clock::now() < give_up) {
    {
      std::lock_guard<std::mutex> hold(log->lock);
      if (log->threads.size() > 1) return;
    }
    std::this_thread::yield();
  }
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  if (nrhs < 2 || nlhs > 2) mexErrMsgTxt("thread_harness (THREADS, TASKS [, CHUNK])");
  const int32_t threads = static_cast<int32_t>(mxGetScalar(prhs[0]));
  const int64_t count = static_cast<int64_t>(mxGetScalar(prhs[1]));
  const int64_t chunk = nrhs > 2 ? static_cast<int64_t>(mxGetScalar(prhs[2])) : 0;
  visit_log log;
  log.visits.reset(new std::atomic<int>[count + 1]());
  const bool company = threads > 1 && (chunk > 0 ? (count + chunk - 1) / chunk : count) > 1;
  if (chunk > 0) {
    run_in_chunks(threads, count, chunk, [&](int64_t begin, int64_t end) {
      for (int64_t k = begin; k < end; ++k) visit(&log, k, company && k == 0);
    });
  } else {
    run_tasks(threads, count, [&](int64_t t) { visit(&log, t, company && t == 0); });
  }
  plhs[0] = mxCreateDoubleMatrix(1, count, mxREAL);
  for (int64_t k = 0; k < count; ++k) mxGetPr(plhs[0])[k] = log.visits[k].load();
  if (nlhs > 1) plhs[1] = mxCreateDoubleScalar(static_cast<double>(log.threads.size()));
}
