// What wishart_draws and inverse_wishart_draws share: the checks of a
// call, the upper Cholesky factor R of the scale (R' * R = scale), and the
// draws, each made from an upper triangular Bartlett factor G.
//
// Both plug-ins return C, upper triangular with a positive diagonal, and
// W = C' * C: the Wishart C = G * R, with G(i,i)^2 chi-square with
// nu - i + 1 degrees of freedom; the inverse-Wishart C = G \ R, with
// G(i,i)^2 chi-square with nu - p + i. In both, G's strict upper triangle
// is standard normal and G' * G (resp. G * G') is Wishart (I, nu): Bartlett's
// decomposition, for the inverse one read with the rows and columns in
// reverse order. Then C' * C = R' (G' G) R is Wishart (scale, nu) and
// C' * C = R' (G G')^-1 R is inverse-Wishart (scale, nu), whose inverse is
// Wishart (scale^-1, nu); no inverse of the scale is ever formed.
#pragma once

#include <cstdint>

#include "mex.h"

struct wishart_call {
  const double* scale;  // p x p, only its upper triangle is used
  int32_t p;
  double nu;
  int32_t draws;
  bool with_factor;  // a second output C was asked for
};

// Which of the two plug-ins is drawing.
enum class wishart_kind { direct, inverse };

// Every check of a call but the scale's definiteness, in the order the
// plug-ins state: the output and input counts, the classes and shapes of
// the scale (named `scale_name` in messages), of nu and of N, the count
// N, nu's range, then the scale's values (finite, symmetric).
wishart_call read_wishart_call(int nlhs, int nrhs, const mxArray* prhs[], const char* scale_name);

// The draws into plhs[0] (p x p x N) and, when asked for, plhs[1]: first
// the scale's Cholesky factor, whose failure is the call's last error and
// is raised before any output exists.
void wishart_run(const wishart_call& call, wishart_kind kind, const char* scale_name,
                 mxArray* plhs[]);
