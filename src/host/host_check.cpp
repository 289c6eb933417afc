// The MEX side of the host check (octave_check.inc): a module whose check
// failed takes every value by name (host_stream.cpp asks
// octave_check_failed), and the first such module of an Octave session
// says so.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#ifdef __unix__
#include <unistd.h>
#endif

#include "host_stream_shared.h"
#include "mex.h"

namespace {

#ifdef HAVE_OCTAVE
constexpr const char* check_warned_variable = "SAMPLEKIT_HOST_CHECK_WARNED";

// Every module runs the check for itself; the first to fail warns, and the
// environment tells the others of the same process that it has. A child
// process (a parallel worker) has another id and warns for itself.
bool first_warning_in_process() {
#ifdef __unix__
  char process[32];
  std::snprintf(process, sizeof process, "%ld", static_cast<long>(getpid()));
  const char* warned = std::getenv(check_warned_variable);
  if (warned != nullptr && std::strcmp(warned, process) == 0) return false;
  setenv(check_warned_variable, process, 1);
#endif
  return true;
}

bool check_warned = false;  // this module has warned, or left it to another
#endif

}  // namespace

void stream_after_values() {
#ifdef HAVE_OCTAVE
  if (check_warned || !octave_check_failed()) return;
  check_warned = true;
  if (!first_warning_in_process()) return;
  mexWarnMsgIdAndTxt("samplekit:hostCheck",
                     "On Octave %s, samplekit's in-process values of rand and randn differ from the "
                     "builtins' (%s). Results stay exact, but each value now takes a call of rand or "
                     "randn by name, which is slower; update samplekit for this Octave version to "
                     "restore the speed.",
                     octave_version_text(), octave_check_failure());
#endif
}
