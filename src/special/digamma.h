// The digamma function psi(x), the derivative of log(Gamma(x)).
#pragma once

#include <cstdint>

// Upward recurrence psi(x) = psi(x + 1) - 1/x until x > 5, then the
// asymptotic series. Poles (0 and the negative integers) give -Inf, a
// negative zero +Inf, NaN gives NaN, +Inf gives +Inf. Below -2^20 the
// reflection formula replaces the recurrence, which would take |x| steps;
// -Inf gives NaN.
double digamma(double x);

// psi[i] = digamma (x[i]) for i < count: the same bits, four arguments at
// a time where the processor allows.
void digamma_values(const double* x, double* psi, int64_t count);
