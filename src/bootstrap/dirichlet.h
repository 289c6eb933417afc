// The Dirichlet weight vector of the Bayesian bootstrap and the argument
// rules that its two plug-ins share.
//
// n uniforms u from one host "rand" call become e(j) = -log(u(j)), times the
// prior weight W(j) when one is given; divided by their sum S they are
// uniform on the simplex (Dirichlet(1, ..., 1)) without prior weights.
#pragma once

#include <cstdint>

#include "../host/host.h"

// Replaces each of the n values in place by -log(value) [* prior(j)] and
// returns their sum, accumulated from 0 in index order as e + S.
double exponentials_in_place(double* values, int32_t n, const double* prior);

// One replicate's exponentials: asks the host's rand for an n x 1 array,
// transforms it in place and returns it (the caller destroys it); *total
// receives their sum.
mxArray* replicate_exponentials(int32_t n, const double* prior, double* total);

// The number of replicates B: its shape first ("B must be a scalar."), then
// its class and value; returned truncated toward zero, unchecked for range.
double read_replicate_count(const mxArray* b);

// The prior weights' shape: one column (a W with rows but no columns holds
// no weight and is refused the same way), n rows or `length_message`.
void check_prior_shape(const mxArray* w, int64_t n, const char* length_message);
