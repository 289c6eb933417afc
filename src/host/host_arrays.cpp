// The host's whole arrays, rand (M, N) and randn (M, N) (host.h,
// host_stream.h): taken in process where the call's streams are, by name
// otherwise.
#include <cstring>

#include "host.h"
#include "host_stream.h"
#include "host_stream_shared.h"
#include "interrupt.h"

namespace {

host_generator generator_named(const char* function) {
  return std::strcmp(function, "randn") == 0 ? generator_normal : generator_uniform;
}

}  // namespace

bool host_array_in_process(const char* function) {
#ifdef HAVE_OCTAVE
  stream_close_window();
  // Without an open scope the pieces' session would never be settled.
  if (stream_scope_open() && (std::strcmp(function, "rand") == 0 || std::strcmp(function, "randn") == 0))
    return stream_in_process(generator_named(function), form_array);
#endif
  return false;
}

void host_array_piece(const char* function, double* values, int64_t count) {
#ifdef HAVE_OCTAVE
  stream_session_begun();
  octave_fill(generator_named(function), values, count);
  stream_after_values();
#else
  (void)function, (void)values, (void)count;  // never in process elsewhere
#endif
}

mxArray* host_draw_array(const char* function, output_size size) {
  // Plug-ins that draw block after block (replicates, rejection sampling)
  // are interruptible between blocks through this check.
  leave_if_interrupted();
  const host_stream_scope scope;
  stream_close_window();
#ifdef HAVE_OCTAVE
  const bool normal = std::strcmp(function, "randn") == 0;
  const host_generator g = normal ? generator_normal : generator_uniform;
  if ((normal || std::strcmp(function, "rand") == 0) && stream_in_process(g, form_array)) {
    // Octave's rand (M, N) draws nothing for an empty result.
    const int64_t count = static_cast<int64_t>(size.rows) * size.cols;
    if (count == 0) return mxCreateDoubleMatrix(size.rows, size.cols, mxREAL);
    mxArray* drawn = mxCreateUninitNumericMatrix(size.rows, size.cols, mxDOUBLE_CLASS, mxREAL);
    stream_session_begun();
    octave_fill(g, mxGetPr(drawn), count);
    stream_after_values();
    return drawn;
  }
#endif
  mxArray* dims[2] = {mxCreateDoubleScalar(size.rows), mxCreateDoubleScalar(size.cols)};
  mxArray* drawn = nullptr;
  mexCallMATLAB(1, &drawn, 2, dims, function);
  mxDestroyArray(dims[0]);
  mxDestroyArray(dims[1]);
  // A user's own function on the path can return anything; the plug-ins
  // write into this array, so its class and size must be what was asked.
  if (drawn == nullptr || !is_real_double(drawn) || rows_of(drawn) != size.rows ||
      cols_of(drawn) != size.cols)
    fail_host_result(function);
  return drawn;
}
