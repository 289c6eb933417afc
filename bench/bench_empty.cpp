// y = bench_empty (...)
//
// Bench-only: a MEX call that does nothing but return one 1 x 1 value, the
// floor under every single-draw plug-in call. Never installed.
#include "mex.h"

void mexFunction(int, mxArray* plhs[], int, const mxArray*[]) { plhs[0] = mxCreateDoubleScalar(0); }
