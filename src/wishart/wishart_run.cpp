// The draws of wishart_draws and inverse_wishart_draws (wishart.h): the
// scale's Cholesky factor R once per call, then per draw the Bartlett
// factor G from the host's streams, C from G and R, and W = C' * C.
//
// Every matrix is p x p in storage order, and only upper triangles are
// written or read (C's lower triangle is the zeros of a fresh output).
// Each sum is added in a fixed order, stated beside it, so that the bits do
// not depend on anything but the host values.
#include <cmath>

#include "../host/host.h"
#include "../host/interrupt.h"
#include "../random_variates/random_variates.h"
#include "wishart.h"

namespace {

constexpr const char* msg_scale_definite = " must be positive definite.";

// Ctrl-C is looked for after about this many multiply-adds (a few ms);
// a host value counts as host_value_work of them.
constexpr int64_t work_per_poll = int64_t{1} << 22;
constexpr int64_t host_value_work = 16;

struct work_meter {
  int64_t since_poll;
};

void count_work(work_meter* meter, int64_t steps) {
  meter->since_poll += steps;
  if (meter->since_poll >= work_per_poll) {
    meter->since_poll = 0;
    leave_if_interrupted();
  }
}

// R' * R = S from S's upper triangle, column by column as chol computes
// it; false at the first pivot that is not positive (NaN included), which
// also refuses any R that would not be finite.
bool upper_cholesky(const double* s, int32_t p, double* r, work_meter* meter) {
  for (int32_t j = 0; j < p; ++j) {
    const double* sj = s + int64_t{j} * p;
    double* rj = r + int64_t{j} * p;
    for (int32_t i = 0; i < j; ++i) {
      const double* ri = r + int64_t{i} * p;
      double sum = sj[i];
      for (int32_t k = 0; k < i; ++k) sum -= ri[k] * rj[k];
      rj[i] = sum / ri[i];
    }
    double pivot = sj[j];
    for (int32_t k = 0; k < j; ++k) pivot -= rj[k] * rj[k];
    if (!(pivot > 0)) return false;
    rj[j] = std::sqrt(pivot);
    count_work(meter, int64_t{j} * j + 1);
  }
  return true;
}

// G's strict upper triangle from randn, column by column (G(1,2); G(1,3),
// G(2,3); ...), then its diagonal in order, G(i,i) = sqrt (2 * gamma draw
// of shapes[i]): a chi-square with 2 * shapes[i] degrees of freedom.
void draw_bartlett(double* g, int32_t p, const double* shapes, work_meter* meter) {
  for (int32_t j = 1; j < p; ++j) {
    double* gj = g + int64_t{j} * p;
    for (int32_t i = 0; i < j; ++i) gj[i] = rand_gaussian();
    count_work(meter, host_value_work * j);
  }
  for (int32_t i = 0; i < p; ++i) g[i + int64_t{i} * p] = std::sqrt(2 * rand_gamma(shapes[i]));
  count_work(meter, host_value_work * p);
}

// C = G * R: C(i,j) = sum of G(i,k) * R(k,j) over k = i .. j, added to 0
// in increasing k.
void upper_product(const double* g, const double* r, double* c, int32_t p, work_meter* meter) {
  for (int32_t j = 0; j < p; ++j) {
    const double* rj = r + int64_t{j} * p;
    double* cj = c + int64_t{j} * p;
    for (int32_t i = 0; i <= j; ++i) cj[i] = 0;
    for (int32_t k = 0; k <= j; ++k) {
      const double* gk = g + int64_t{k} * p;
      const double factor = rj[k];
      for (int32_t i = 0; i <= k; ++i) cj[i] += gk[i] * factor;
    }
    count_work(meter, int64_t{j} * j / 2 + 1);
  }
}

// C = G \ R by back substitution, column by column: C(i,j) = (R(i,j) -
// G(i,j) C(j,j) - G(i,j-1) C(j-1,j) - ... - G(i,i+1) C(i+1,j)) / G(i,i),
// the products taken away in that order.
void upper_solve(const double* g, const double* r, double* c, int32_t p, work_meter* meter) {
  for (int32_t j = 0; j < p; ++j) {
    const double* rj = r + int64_t{j} * p;
    double* cj = c + int64_t{j} * p;
    for (int32_t i = 0; i <= j; ++i) cj[i] = rj[i];
    for (int32_t k = j; k >= 0; --k) {
      const double* gk = g + int64_t{k} * p;
      cj[k] = cj[k] / gk[k];
      const double solved = cj[k];
      for (int32_t i = 0; i < k; ++i) cj[i] -= gk[i] * solved;
    }
    count_work(meter, int64_t{j} * j / 2 + 1);
  }
}

// W = C' * C: W(i,j) = sum of C(k,i) * C(k,j) over k = 1 .. min (i,j),
// added to 0 in increasing k, computed for i <= j and mirrored, so that W
// is symmetric to the last bit.
void gram_mirrored(const double* c, double* w, int32_t p, work_meter* meter) {
  for (int32_t j = 0; j < p; ++j) {
    const double* cj = c + int64_t{j} * p;
    for (int32_t i = 0; i <= j; ++i) {
      const double* ci = c + int64_t{i} * p;
      double sum = 0;
      for (int32_t k = 0; k <= i; ++k) sum += ci[k] * cj[k];
      w[i + int64_t{j} * p] = sum;
      w[j + int64_t{i} * p] = sum;
    }
    count_work(meter, int64_t{j} * j / 2 + 1);
  }
}

mxArray* draws_array(int32_t p, int32_t draws) {
  const mwSize dims[3] = {static_cast<mwSize>(p), static_cast<mwSize>(p),
                          static_cast<mwSize>(draws)};
  return mxCreateNumericArray(3, dims, mxDOUBLE_CLASS, mxREAL);
}

}  // namespace

void wishart_run(const wishart_call& call, wishart_kind kind, const char* scale_name,
                 mxArray* plhs[]) {
  const int32_t p = call.p;
  const int64_t square = int64_t{p} * p;
  // R, G, a draw's C where C is not returned, and the diagonal's shapes.
  auto* scratch = static_cast<double*>(mxMalloc(sizeof(double) * (3 * square + p)));
  double* r = scratch;
  double* g = r + square;
  double* own_c = g + square;
  double* shapes = own_c + square;
  work_meter meter{0};
  if (!upper_cholesky(call.scale, p, r, &meter)) {
    mxFree(scratch);
    fail_named("scaleDefinite", scale_name, msg_scale_definite);
  }
  plhs[0] = draws_array(p, call.draws);
  double* w = mxGetPr(plhs[0]);
  double* c = nullptr;
  if (call.with_factor) {
    plhs[1] = draws_array(p, call.draws);
    c = mxGetPr(plhs[1]);
  }
  // Degrees of freedom nu - i + 1 (Wishart) or nu - p + i (inverse) for
  // i = 1 .. p, written as nu less a whole number so that the smallest,
  // nu - (p - 1), is the one the checks allowed.
  for (int32_t i = 0; i < p; ++i)
    shapes[i] = (kind == wishart_kind::direct ? call.nu - i : call.nu - (p - 1 - i)) / 2;
  const host_stream_scope streams;
  for (int32_t d = 0; d < call.draws; ++d) {
    double* cd = call.with_factor ? c + d * square : own_c;
    draw_bartlett(g, p, shapes, &meter);
    if (kind == wishart_kind::direct) {
      upper_product(g, r, cd, p, &meter);
    } else {
      upper_solve(g, r, cd, p, &meter);
    }
    gram_mirrored(cd, w + d * square, p, &meter);
  }
  mxFree(scratch);
}
