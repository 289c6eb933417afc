#include "threads.h"

#include <cstdlib>
#include <thread>

#ifdef __linux__
#include <sched.h>
#endif

#include "host.h"

namespace {

constexpr const char* msg_threads =
    "SAMPLEKIT_THREADS must be a whole number from 1 to 1024, or unset.";

// The cores this process may run on: its affinity mask where the system
// has one (a job scheduler or taskset may have narrowed it), else every
// core the machine reports.
int32_t cores_available() {
  int count = static_cast<int>(std::thread::hardware_concurrency());
#ifdef __linux__
  cpu_set_t cores;
  CPU_ZERO(&cores);
  if (sched_getaffinity(0, sizeof cores, &cores) == 0) count = CPU_COUNT(&cores);
#endif
  return count < 1 ? 1 : std::min(count, static_cast<int>(max_default_threads));
}

}  // namespace

int32_t thread_count() {
  const char* text = std::getenv("SAMPLEKIT_THREADS");
  if (text == nullptr || *text == '\0') return cores_available();
  // Digits only: no sign, no spaces, no exponent. The value stops growing
  // past the limit, so a long string cannot overflow it.
  int64_t value = 0;
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c < '0' || *c > '9') fail("threads", msg_threads);
    value = std::min<int64_t>(value * 10 + (*c - '0'), max_threads + 1);
  }
  if (value < 1 || value > max_threads) fail("threads", msg_threads);
  return static_cast<int32_t>(value);
}
