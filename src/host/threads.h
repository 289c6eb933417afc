// Worker threads for the data-parallel plug-ins.
//
// A plug-in reads its thread count among its argument checks
// (thread_count), decides how many threads its work is worth
// (threads_for), and hands run_tasks a callable that does one task. Tasks
// write disjoint parts of arrays allocated on the main thread beforehand,
// and each task's arithmetic is the same whichever thread runs it, so the
// results are the same bits for every thread count.
//
// Workers never call the host: no mx*/mex* call, no host allocation. Only
// the calling (main) thread talks to the host, and it polls for Ctrl-C
// between the tasks it runs itself.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <system_error>
#include <thread>

#include "interrupt.h"

// The most threads a call runs, the calling thread included.
inline constexpr int32_t max_threads = 1024;
// Without SAMPLEKIT_THREADS: the cores of the affinity mask, at most this.
inline constexpr int32_t max_default_threads = 64;

// SAMPLEKIT_THREADS, read at each call: a whole number from 1 to
// max_threads, written in decimal digits alone. Unset or empty, the number
// of cores this process may run on, at most max_default_threads. Anything
// else raises samplekit:<function>:threads; call it among the argument
// checks, before anything is allocated.
int32_t thread_count();

// The threads that `work` units justify: one per `break_even` units, at
// most `threads`, at least 1. Starting and joining a thread costs about 20
// microseconds on the 2-core development machine (the median of 2,000
// empty std::thread starts and joins); plug-ins set `break_even` to the
// units their own loop gets through in about 100 microseconds on one
// thread, so a thread costs at most a fifth of the work it takes on and
// small inputs stay on the calling thread.
inline int32_t threads_for(int32_t threads, double work, double break_even) {
  const double worth = work / break_even;
  return worth < threads ? std::max(1, static_cast<int32_t>(worth)) : threads;
}

namespace thread_detail {

// Joins every worker it started, also when the call unwinds.
struct worker_guard {
  std::thread workers[max_threads - 1];
  int32_t started = 0;
  ~worker_guard() {
    for (int32_t k = 0; k < started; ++k) workers[k].join();
  }
};

}  // namespace thread_detail

// run_tasks, with the calling thread doing own_work () first, while the
// workers start on the tasks, and joining them afterwards: own_work runs
// only on the calling thread, so it may call the host (draw the values of
// the next round while the workers compute on this one). Should it throw
// (a host error, an interrupt), no task starts any more and the workers
// are joined before the exception leaves.
template <class Own, class Task>
void run_tasks_beside(int32_t threads, int64_t tasks, const Own& own_work, const Task& do_task) {
  std::atomic<int64_t> next{0};
  std::atomic<bool> stop{false};
  const auto drain = [&]() {
    while (!stop.load(std::memory_order_relaxed)) {
      const int64_t t = next.fetch_add(1, std::memory_order_relaxed);
      if (t >= tasks) return;
      do_task(t);
    }
  };
  {
    thread_detail::worker_guard guard;
    const int64_t wanted = std::min<int64_t>(std::min(threads, max_threads), tasks) - 1;
    for (; guard.started < wanted; ++guard.started) {
      try {
        guard.workers[guard.started] = std::thread(drain);
      } catch (const std::system_error&) {
        break;
      }
    }
    try {
      own_work();
    } catch (...) {
      stop.store(true, std::memory_order_relaxed);
      throw;
    }
    for (int64_t t = next.fetch_add(1, std::memory_order_relaxed); t < tasks;
         t = next.fetch_add(1, std::memory_order_relaxed)) {
      do_task(t);
      if (interrupt_pending()) {
        stop.store(true, std::memory_order_relaxed);
        break;
      }
    }
  }
  leave_if_interrupted();
}

// Runs do_task(t) for every t in [0, tasks), on the calling thread and up to
// threads - 1 workers, each task once. Tasks are handed out in increasing
// order as threads become free. The calling thread asks for Ctrl-C after
// each task it runs; once one is pending no task starts any more, the
// workers are joined, and the interrupt goes to the host (which unwinds
// the call). Keep tasks to well under 10 ms each. do_task must not throw
// and must not call the host. Should the system refuse a thread, the
// threads already running do all the work.
template <class Task>
void run_tasks(int32_t threads, int64_t tasks, const Task& do_task) {
  run_tasks_beside(threads, tasks, [] {}, do_task);
}

// Runs do_range(begin, end) over [0, count) cut into ranges of `chunk`
// elements (the last may be shorter): for element-by-element work.
template <class Range>
void run_in_chunks(int32_t threads, int64_t count, int64_t chunk, const Range& do_range) {
  run_tasks(threads, (count + chunk - 1) / chunk, [&](int64_t t) {
    const int64_t begin = t * chunk;
    do_range(begin, std::min(count, begin + chunk));
  });
}
