// [Y, USED_U, USED_N] = bench_limit (JOB, COUNT, U, Z, P1 [, P2])
//
// Bench-only: the compiled arithmetic of a job run on host values drawn
// beforehand in one call, U uniforms and Z normals, consumed in the order
// the plug-in consumes them. It links the same random variate routines as
// the plug-ins, with a value source that reads the two arrays. The bench
// times this call and adds the time of rand (USED_U, 1) and
// randn (USED_N, 1): the job's "limit", what a design that paid nothing
// for taking host values one at a time would cost.
//
// COUNT elements are drawn; JOB is "invchi2" (P1 = s2, P2 = nu), "gamma_mean" (P1 = s, P2 = nu),
// "t" (P1 = nu), "exp" (P1 = mu), "simplex" (P1 = A; U holds A x B values)
// or "boot_mean" (P1 = X; U holds n x B values). P1 and P2 are scalars or
// arrays of one value per element. Never installed.
#include <cmath>
#include <cstring>

#include "../src/host/host.h"
#include "../src/random_variates/random_variates.h"

namespace {

struct value_source {
  const double* values;
  int64_t size;
  int64_t used;
};

value_source uniforms{nullptr, 0, 0};
value_source normals{nullptr, 0, 0};

double next_of(value_source* s) {
  if (s->used == s->size) mexErrMsgTxt("bench_limit: too few host values given.");
  return s->values[s->used++];
}

// A parameter: one value for all elements, or one per element.
struct param {
  const double* values;
  double scalar;
};

param param_of(const mxArray* p) {
  return mxGetNumberOfElements(p) == 1 ? param{nullptr, mxGetScalar(p)} : param{mxGetPr(p), 0};
}

double at(const param& p, int64_t i) { return p.values != nullptr ? p.values[i] : p.scalar; }

void exponentials(double* values, int64_t n) {
  for (int64_t j = 0; j < n; ++j) values[j] = -std::log(values[j]);
}

}  // namespace

// The library's host values, in place of the host layer's streams.
double host_uniform() { return next_of(&uniforms); }
double host_normal() { return next_of(&normals); }

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  if (nrhs < 5 || !mxIsChar(prhs[0])) mexErrMsgTxt("bench_limit (JOB, COUNT, U, Z, P1 [, P2])");
  (void)nlhs;
  char job[32];
  mxGetString(prhs[0], job, sizeof job);
  const int64_t count = static_cast<int64_t>(mxGetScalar(prhs[1]));
  uniforms = value_source{mxGetPr(prhs[2]), static_cast<int64_t>(mxGetNumberOfElements(prhs[2])), 0};
  normals = value_source{mxGetPr(prhs[3]), static_cast<int64_t>(mxGetNumberOfElements(prhs[3])), 0};
  const mxArray* p1 = prhs[4];
  const param first = param_of(prhs[4]);
  const param second = param_of(nrhs > 5 ? prhs[5] : prhs[4]);

  if (std::strcmp(job, "simplex") == 0 || std::strcmp(job, "boot_mean") == 0) {
    // Both transform U in place, as the plug-ins do their host array: the
    // bench hands over an array of its own, used once.
    const bool simplex = job[0] == 's';
    const int64_t n = simplex ? static_cast<int64_t>(mxGetScalar(p1)) : mxGetM(p1);
    const int64_t columns = uniforms.size / n;
    double* u = mxGetPr(prhs[2]);
    const int64_t d = simplex ? 0 : mxGetN(p1);
    mxArray* means = mxCreateDoubleMatrix(columns, d, mxREAL);
    for (int64_t c = 0; c < columns; ++c) {
      double* w = u + c * n;
      exponentials(w, n);
      double total = 0;
      for (int64_t j = 0; j < n; ++j) total = w[j] + total;
      for (int64_t j = 0; j < n; ++j) w[j] = w[j] / total;
      for (int64_t k = 0; k < d; ++k) {
        const double* x = mxGetPr(p1) + k * n;
        double sum = 0;
        for (int64_t j = 0; j < n; ++j) sum = x[j] * w[j] + sum;
        mxGetPr(means)[c + k * columns] = sum;
      }
    }
    plhs[0] = means;
    uniforms.used = uniforms.size;
  } else {
    plhs[0] = mxCreateDoubleMatrix(count, 1, mxREAL);
    double* y = mxGetPr(plhs[0]);
    if (std::strcmp(job, "invchi2") == 0) {
      for (int64_t i = 0; i < count; ++i) {
        const double nu = at(second, i);
        y[i] = (at(first, i) * nu / 2) / rand_gamma(nu / 2);
      }
    } else if (std::strcmp(job, "gamma_mean") == 0) {
      for (int64_t i = 0; i < count; ++i) {
        const double nu = at(second, i);
        y[i] = ((rand_gamma(nu / 2) * 2) * at(first, i)) / nu;
      }
    } else if (std::strcmp(job, "t") == 0) {
      for (int64_t i = 0; i < count; ++i) {
        const double nu = at(first, i);
        const double z = rand_gaussian();
        if (nu == 1) {
          y[i] = z / rand_gaussian();
        } else if (nu == 2) {
          const double u = rand_uniopen();
          y[i] = 1.4142135623730951 * (u - 0.5) / std::sqrt(u - u * u);
        } else {
          y[i] = (z * std::sqrt(nu)) / std::sqrt(rand_gamma(nu / 2) * 2);
        }
      }
    } else if (std::strcmp(job, "exp") == 0) {
      for (int64_t i = 0; i < count; ++i) y[i] = (-at(first, i)) * std::log(rand_uniopen());
    } else {
      mexErrMsgTxt("bench_limit: unknown job.");
    }
  }
  if (nlhs > 1) plhs[1] = mxCreateDoubleScalar(static_cast<double>(uniforms.used));
  if (nlhs > 2) plhs[2] = mxCreateDoubleScalar(static_cast<double>(normals.used));
}
