// The arguments of metric_distance_matrix (METRIC, X), checked in the
// order its help lists the messages.
#pragma once

#include <cstdint>

#include "../host/host.h"

struct metric_call {
  const mxArray* components;
  const double* length_scales;
  const mxLogical* delta;
  const double* data;
  int64_t nc;
  int64_t scales;  // 1: one length-scale for all components
  int64_t n;
};

// Length of a vector-shaped value: the larger of its first two dimensions,
// or 0 when it holds no element.
int64_t length_of(const mxArray* a);

// Every check, then the fields the distances read. Every listed column
// has been checked to be a column of X.
metric_call read_metric_call(int nlhs, int nrhs, const mxArray* prhs[]);
