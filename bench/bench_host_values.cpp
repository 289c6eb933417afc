// y = bench_host_values (K, ~)
//
// Bench-only: what any exact single draw must pay before its own work, in
// the same call shape as the gamma draws (two scalar arguments, a 1 x 1
// result). K = 0 only asks whether "rand" is still Octave's builtin, the
// lookup a by-name call would make; K >= 1 also draws K uniforms through
// the host layer, the first the builtin's own way (it tells which generator
// is in use and saves Octave's state) and the later ones handed back with
// one more save. K = -1 draws one uniform as K = 1 does, but first makes
// the module's host check run again, as at a module's first value: the
// difference times the check. Returns the last uniform, or 0. Never
// installed.
#include "mex.h"

#include "../src/host/host_stream.h"
#include "../src/host/octave_host.h"

void mexFunction(int, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  int values = nrhs > 0 ? static_cast<int>(mxGetScalar(prhs[0])) : 0;
  double last = 0;
#ifdef HAVE_OCTAVE
  if (values == -1) {
    octave_check_again();
    values = 1;
  }
#endif
  if (values <= 0) {
#ifdef HAVE_OCTAVE
    last = octave_function_is_builtin("rand", false) ? 0 : 1;
#endif
  } else {
    const host_stream_scope streams;
    for (int k = 0; k < values; ++k) last = host_uniform();
  }
  plhs[0] = mxCreateDoubleScalar(last);
}
