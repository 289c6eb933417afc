## -*- texinfo -*-
## @deftypefn {} {@var{Y} =} digamma_array (@var{X})
## The digamma function of every element of @var{X}.
##
## @code{psi (x)} is the derivative of @code{log (gamma (x))}.  @var{X} is a
## real double array; @var{Y} has its rows and columns (further dimensions
## are dropped, and the first rows * columns elements used).  The value is
## computed by the upward recurrence @code{psi (x) = psi (x + 1) - 1/x}
## until @code{x > 5}, then the asymptotic series to the @code{x^-16} term.
##
## Accuracy: below about 6 the absolute error is about 1e-13 and at most
## about 6e-13, since the series is cut off just above 5; above about 10
## the result is as accurate as Octave's @code{psi}.  Octave's own
## accuracy tests of @code{psi} fail on it by 2e-14 to 4e-13.  Close to
## the negative poles it is more accurate than @code{psi}: at
## @code{-1 + 1e-8} the relative error is 1.9e-16 against 5.7e-9.  Use
## Octave's @code{psi} where the last digits matter for small arguments,
## for arrays with more than two dimensions, and for single, complex or
## polygamma values; use @code{digamma_array} for speed in long loops and
## near the negative poles.
##
## Special values: 0 and the negative integers give -Inf, a negative zero
## +Inf, NaN gives NaN, +Inf gives +Inf and -Inf gives NaN.  Below -2^20 the
## reflection formula @code{psi (x) = psi (1 - x) - pi / tan (pi * x)} is
## used, so even very negative arguments return at once.
##
## Threads: the work is shared by worker threads, as many as the environment
## variable @env{SAMPLEKIT_THREADS} says (a whole number from 1 to 1024) or,
## when it is unset or empty, as many as the cores Octave may run on (at most
## 64); small inputs stay on one thread.  The result is the same, bit for bit,
## for every thread count.  Any other value of the variable raises
## "SAMPLEKIT_THREADS must be a whole number from 1 to 1024, or unset.".
##
## Errors: "Wrong number of input arguments." (checked first), "Too many
## output arguments." and "X must be a real double array.".
##
## @example
## digamma_array ([1 0.5 10])
## @end example
## @seealso{tanh_array}
## @end deftypefn

%!assert (digamma_array (1), -0.5772156649015329, 1e-13)
%!assert (digamma_array (0.5), -1.9635100260214235, 2e-13)   # the series stops at x^-16
%!assert (digamma_array (6), digamma_array (5) + 0.2, 1e-15)
%!assert (digamma_array ([0 -1 -0]), [-Inf -Inf Inf])
%!assert (digamma_array (-0.5), 0.03648997397857652, 2e-13)
%!assert (digamma_array ([Inf -Inf NaN]), [Inf NaN NaN])
%!test
%! ## Near the negative poles the recurrence keeps full relative accuracy
%! ## (Octave's psi loses up to 3e-8 there).
%! x = [-1+1e-8, -2-1e-6, -4+1e-10];
%! exact = [-99999999.074739713444, 1000000.9226416621974, -9999999171.0902408];
%! assert (digamma_array (x), exact, -1e-15);
%!assert (size (digamma_array (ones (2, 3))), [2 3])
%!assert (size (digamma_array (zeros (0, 4))), [0 4])
%!error <Wrong number of input arguments\.> digamma_array (1, 2)
%!error <Wrong number of input arguments\.> [a, b] = digamma_array ()
%!error <Too many output arguments\.> [a, b] = digamma_array (1)
%!error <X must be a real double array\.> digamma_array (int8 (1))
