## -*- texinfo -*-
## @deftypefn {} {@var{Y} =} digamma_array (@var{X})
## The digamma function of every element of @var{X}.
##
## @code{psi (x)} is the derivative of @code{log (gamma (x))}.  @var{X} is a
## real double array; @var{Y} has its rows and columns (further dimensions
## are dropped, and the first rows * columns elements used).  The value is
## computed by the upward recurrence @code{psi (x) = psi (x + 1) - 1/x}
## until @code{x > 5}, then the asymptotic series to the @code{x^-16} term;
## results agree with the exact values to about 1e-13.
##
## Special values: 0 and the negative integers give -Inf, a negative zero
## +Inf, NaN gives NaN, +Inf gives +Inf and -Inf gives NaN.  Below -2^20 the
## reflection formula @code{psi (x) = psi (1 - x) - pi / tan (pi * x)} is
## used, so even very negative arguments return at once.
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
%!assert (size (digamma_array (ones (2, 3))), [2 3])
%!assert (size (digamma_array (zeros (0, 4))), [0 4])
%!error <Wrong number of input arguments\.> digamma_array (1, 2)
%!error <Wrong number of input arguments\.> [a, b] = digamma_array ()
%!error <Too many output arguments\.> [a, b] = digamma_array (1)
%!error <X must be a real double array\.> digamma_array (int8 (1))
