// The checks of a wishart_draws or inverse_wishart_draws call, all made
// before anything is allocated: counts, then classes and shapes, then
// values, the costliest (the scale's symmetry) last.
#include <cmath>

#include "../host/host.h"
#include "wishart.h"

namespace {

constexpr const char* msg_scale_shape = " must be a non-empty square matrix.";
constexpr const char* msg_scale_finite = " must hold finite values.";
constexpr const char* msg_scale_symmetric = " must be symmetric.";
constexpr const char* msg_nu_range = "nu must be a finite number greater than p - 1.";
constexpr const char* msg_nu_tiny = "nu must exceed p - 1 by at least 2e-5.";

// 2^-26, about sqrt (eps): two mirrored elements that differ by more than
// this times the largest magnitude in the scale are not rounding apart.
// Rounding of the usual ways to compute a scale (A \ B, A * B * A', sums
// of such) stays below 1e-12 of it unless the scale is singular to
// working precision.
constexpr double symmetry_tolerance = 1.4901161193847656e-08;
// Below this many degrees of freedom the house gamma no longer draws (it
// returns shapes below 1e-5 as they are): the smallest chi-square,
// nu - p + 1, would not be random.
constexpr double smallest_dof = 2e-5;

const mxArray* checked_scale(const mxArray* scale, const char* name) {
  require_real_double(scale, name);
  if (mxGetNumberOfDimensions(scale) > 2) fail_named("dims", name, msg_too_many_dims);
  if (rows_of(scale) != cols_of(scale) || rows_of(scale) == 0)
    fail_named("scaleShape", name, msg_scale_shape);
  return scale;
}

// nu is a parameter, real double as every other; N a count, of any real
// numeric or logical class, as rand takes one.
double checked_nu(const mxArray* nu) {
  require_real_double(nu, "nu");
  if (mxGetNumberOfElements(nu) != 1) fail_named("notScalar", "nu", msg_not_scalar);
  return mxGetPr(nu)[0];
}

double checked_count(const mxArray* n) {
  if (mxGetNumberOfElements(n) > 1) fail_named("notScalar", "N", msg_not_scalar);
  return read_size_arg(n, "N");
}

void check_scale_values(const double* s, int64_t p, const char* name) {
  double largest = 0;
  for (int64_t k = 0; k < p * p; ++k) {
    if (!std::isfinite(s[k])) fail_named("scaleFinite", name, msg_scale_finite);
    largest = std::fmax(largest, std::fabs(s[k]));
  }
  const double allowed = symmetry_tolerance * largest;
  for (int64_t j = 0; j < p; ++j)
    for (int64_t i = 0; i < j; ++i)
      if (std::fabs(s[i + j * p] - s[j + i * p]) > allowed)
        fail_named("scaleSymmetric", name, msg_scale_symmetric);
}

}  // namespace

wishart_call read_wishart_call(int nlhs, int nrhs, const mxArray* prhs[], const char* scale_name) {
  require_outputs_at_most(nlhs, 2);
  require_input_count(nrhs == 2 || nrhs == 3);
  const mxArray* scale = checked_scale(prhs[0], scale_name);
  const int64_t p = rows_of(scale);
  const double nu = checked_nu(prhs[1]);
  const double draws = nrhs == 3 ? checked_count(prhs[2]) : 1;
  // p * p elements exist, so p * p is far below 2^53: exact as a double.
  const output_size size = checked_size(static_cast<double>(p * p), draws);
  // Compared with p - 1, exact, rather than nu - p + 1, which rounds.
  const double order_less_one = static_cast<double>(p - 1);
  if (!(nu > order_less_one && std::isfinite(nu))) fail("nuRange", msg_nu_range);
  if (nu - order_less_one < smallest_dof) fail("nuTiny", msg_nu_tiny);
  check_scale_values(mxGetPr(scale), p, scale_name);
  return wishart_call{mxGetPr(scale), static_cast<int32_t>(p), nu, size.cols, nlhs == 2};
}
