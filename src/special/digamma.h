// The digamma function psi(x), the derivative of log(Gamma(x)).
#pragma once

// Upward recurrence psi(x) = psi(x + 1) - 1/x until x > 5, then the
// asymptotic series. Poles (0 and the negative integers) give -Inf, a
// negative zero +Inf, NaN gives NaN, +Inf gives +Inf. Below -2^20 the
// reflection formula replaces the recurrence, which would take |x| steps;
// -Inf gives NaN.
double digamma(double x);
