// The arguments, checks and output rules that the four resamplers share:
// W [, M [, N]] with one input giving W's shape, two giving M x M and three
// M x N; indices are 1-based linear positions of W stored as doubles.
#pragma once

#include <cstdint>

#include "../host/host.h"

struct resampling_call {
  const double* weights;  // n finite, non-negative weights with a finite positive sum
  int32_t n;
  output_size size;
  int32_t count;          // size.rows * size.cols
};

// All checks, in order: output count, input count, the shapes of M and N,
// the size range, then the class, emptiness and values of W.
resampling_call read_resampling_call(int nlhs, int nrhs, const mxArray* prhs[]);

// The weights' sum, accumulated from 0 in storage order.
double weight_total(const double* weights, int32_t n);

// 1-based index of the last positive weight: what exact arithmetic puts in
// the slots that rounding can leave unwritten.
double last_positive_index(const double* weights, int32_t n);

// Writes indices in storage order and never past the end of the output.
struct index_cursor {
  double* next;
  double* end;
};

index_cursor cursor_over(mxArray* output);
void write_copies(index_cursor* cursor, double index, double copies);
void fill_remaining(index_cursor* cursor, double index);
