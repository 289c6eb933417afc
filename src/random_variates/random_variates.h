// Scalar random variates drawn from the host's own generators.
//
// The library has no generator of its own: every random value is the next
// value of the host's "rand" or "randn" (src/host/host_stream.h), so the
// host's generator state alone fixes every result. The number and order of
// host values that each routine consumes is part of its contract and is
// stated below. A plug-in opens a host_stream_scope for its call before the
// first routine runs: the values then come from Octave's generator in
// process, and the scope's end leaves the generators exactly where one host
// call per value would. The routines check no arguments; what they do
// outside their range is said beside each one. Their rejection loops check
// for an interrupt every few thousand trials.
#pragma once

#include <cstdint>

#include "../host/host_stream.h"

// One host "rand" value, in (0, 1) by the host's guarantee.
double rand_uniform();
// The same operation as rand_uniform; called where the value must lie
// strictly inside (0, 1) (a logarithm, a power or a square root follows).
double rand_uniopen();
// n * rand_uniform() truncated toward zero: 0 .. n - 1 for n >= 1. One "rand".
int rand_int(int n);
// Index i with probability w[i] / sum(w); zero weights allowed. One "rand".
// A negative weight, or a sum that is not positive (n <= 0 among them),
// ends the call with the error samplekit:<function>:pickWeights before the
// value is drawn; NaN weights without a positive one, after it.
int rand_pickd(const double* w, int n);
// As rand_pickd on single-precision weights, but every weight must be
// positive: a zero weight is refused too. One "rand".
int rand_pickf(const float* w, int n);
// One host "randn" value.
double rand_gaussian();
// Unit-rate exponential, -log of one "rand".
double rand_exp();
// Standard Cauchy from one "rand".
double rand_cauchy();
// Gamma with shape a and scale 1. Shapes below 1e-5 (zero, negative, -Inf)
// are returned unchanged, as are NaN, +Inf and finite shapes above 1e300;
// none of these consumes a host value. Otherwise see the definition for the
// host values of each branch. For a >= 1e-5 no result is below 1e-15.
double rand_gamma(double a);
// Beta(a, b) strictly inside (0, 1), from two rand_gamma calls per trial.
// NaN when a trial gives NaN or when no trial is accepted in a million
// (shapes so small that every q rounds to 0 or 1).
double rand_beta(double a, double b);
