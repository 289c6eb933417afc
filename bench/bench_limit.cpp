// [Y, USED_U, USED_Z] = bench_limit (JOB, THREADS, COUNT, U, Z, P1 [, P2])
//
// Bench-only, never installed, and sharing no code with the plug-ins: the
// arithmetic of a job written for throughput, run on host values drawn
// beforehand (uniforms U, normals Z) in the order the plug-in consumes
// them, on THREADS threads, for COUNT elements. The bench times this call and adds the time of
// one rand (USED_U, 1) and one randn (USED_Z, 1) call: the job's limit.
// Y has the plug-in's bits, which the bench checks.
//
// JOB: "invchi2" (P1 s2, P2 nu), "gamma_mean" (P1 s, P2 nu), "t" (P1 nu),
// "exp" (P1 mu), "simplex" (P1 the number of coordinates; U holds them all)
// or "boot_mean" (P1 the data X; U holds n values per replicate). P1 and P2
// are one value or one per element. The gamma draws are Best's (1978)
// rejection from a t(2)-type envelope, with Stuart's boost below shape 1.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "mex.h"
#include "limit_gamma.h"

namespace {

struct values {
  const double* data;
  int64_t size;
};

// Normalised exponentials of `n` uniforms in place, summed in index order.
void dirichlet(double* w, int64_t n) {
  double total = 0;
  for (int64_t j = 0; j < n; ++j) w[j] = -std::log(w[j]);
  for (int64_t j = 0; j < n; ++j) total = w[j] + total;
  for (int64_t j = 0; j < n; ++j) w[j] = w[j] / total;
}

// Replicates first..first+3 of X's column means, four sums abreast.
void four_means(const double* x, int64_t n, int64_t d, const double* w, int64_t first,
                int64_t replicates, double* y) {
  const double* w0 = w + first * n;
  for (int64_t k = 0; k < d; ++k) {
    const double* column = x + k * n;
    double s0 = 0, s1 = 0, s2 = 0, s3 = 0;
    for (int64_t j = 0; j < n; ++j) {
      s0 = column[j] * w0[j] + s0;
      s1 = column[j] * w0[j + n] + s1;
      s2 = column[j] * w0[j + 2 * n] + s2;
      s3 = column[j] * w0[j + 3 * n] + s3;
    }
    const double sums[4] = {s0, s1, s2, s3};
    for (int64_t r = 0; r < 4; ++r) y[first + r + k * replicates] = sums[r];
  }
}

void one_mean(const double* x, int64_t n, int64_t d, const double* w, int64_t r,
              int64_t replicates, double* y) {
  for (int64_t k = 0; k < d; ++k) {
    double sum = 0;
    for (int64_t j = 0; j < n; ++j) sum = x[j + k * n] * w[j + r * n] + sum;
    y[r + k * replicates] = sum;
  }
}

mxArray* boot_mean(int threads, double* u, int64_t size, const mxArray* data) {
  const int64_t n = mxGetM(data), d = mxGetN(data), replicates = size / n;
  mxArray* out = mxCreateDoubleMatrix(replicates, d, mxREAL);
  double* y = mxGetPr(out);
  split(threads, (replicates + 3) / 4, [&](int64_t begin, int64_t end) {
    for (int64_t g = begin; g < end; ++g) {
      const int64_t first = 4 * g, last = std::min(replicates, first + 4);
      for (int64_t r = first; r < last; ++r) dirichlet(u + r * n, n);
      if (last - first == 4) four_means(mxGetPr(data), n, d, u, first, replicates, y);
      else for (int64_t r = first; r < last; ++r) one_mean(mxGetPr(data), n, d, u, r, replicates, y);
    }
  });
  return out;
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  if (nrhs < 6 || !mxIsChar(prhs[0])) mexErrMsgTxt("bench_limit (JOB, THREADS, COUNT, U, Z, P1 [, P2])");
  char job[32];
  mxGetString(prhs[0], job, sizeof job);
  const int threads = std::max(1, static_cast<int>(mxGetScalar(prhs[1])));
  const int64_t count = static_cast<int64_t>(mxGetScalar(prhs[2]));
  double* u = mxGetPr(prhs[3]);
  const values uniforms{u, static_cast<int64_t>(mxGetNumberOfElements(prhs[3]))};
  const values normals{mxGetPr(prhs[4]), static_cast<int64_t>(mxGetNumberOfElements(prhs[4]))};
  const mxArray* p1 = prhs[5];
  const mxArray* p2 = nrhs > 6 ? prhs[6] : prhs[5];
  int64_t used_u = 0, used_z = 0;

  if (std::strcmp(job, "boot_mean") == 0) {
    // U is the bench's own array, used once: transformed in place, as the
    // plug-in does with its host blocks.
    plhs[0] = boot_mean(threads, u, uniforms.size, p1);
    used_u = uniforms.size;
  } else if (std::strcmp(job, "simplex") == 0) {
    const int64_t rows = static_cast<int64_t>(mxGetScalar(p1));
    split(threads, uniforms.size / rows, [&](int64_t begin, int64_t end) {
      for (int64_t c = begin; c < end; ++c) dirichlet(u + c * rows, rows);
    });
    plhs[0] = mxCreateDoubleMatrix(0, 0, mxREAL);
    used_u = uniforms.size;
  } else if (std::strcmp(job, "exp") == 0) {
    plhs[0] = mxCreateUninitNumericMatrix(count, 1, mxDOUBLE_CLASS, mxREAL);
    double* y = mxGetPr(plhs[0]);
    const param mu = param_of(p1);
    split(threads, count, [&](int64_t begin, int64_t end) {
      for (int64_t i = begin; i < end; ++i) y[i] = (-mu.at(i)) * std::log(u[i]);
    });
    used_u = count;
  } else {
    const gamma_job which = std::strcmp(job, "invchi2") == 0 ? gamma_job::invchi2
                            : std::strcmp(job, "gamma_mean") == 0 ? gamma_job::mean_dof
                            : gamma_job::student_t;
    if (which != gamma_job::invchi2 && which != gamma_job::mean_dof && std::strcmp(job, "t") != 0)
      mexErrMsgTxt("bench_limit: unknown job.");
    plhs[0] = mxCreateUninitNumericMatrix(count, 1, mxDOUBLE_CLASS, mxREAL);
    const gamma_run run = gamma_draws(which, threads, count, p1, p2, uniforms.data, uniforms.size,
                                      normals.data, mxGetPr(plhs[0]));
    if (run.failed) mexErrMsgTxt("bench_limit: too few host values given.");
    used_u = run.used_u;
    used_z = run.used_z;
  }
  if (nlhs > 1) plhs[1] = mxCreateDoubleScalar(static_cast<double>(used_u));
  if (nlhs > 2) plhs[2] = mxCreateDoubleScalar(static_cast<double>(used_z));
}
