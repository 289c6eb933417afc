## -*- texinfo -*-
## @deftypefn {} {@var{Y} =} tanh_array (@var{X})
## The hyperbolic tangent of every element of @var{X}.
##
## @var{X} is a real double array; @var{Y} has its rows and columns.  Values
## beyond 18 in magnitude give exactly +1 or -1, values at or below 1.5e-8 in
## magnitude are returned unchanged (a negative zero stays negative), and
## values between use @code{1 - 2 / (exp (2*x) + 1)}.  NaN gives NaN.
## Arguments after the first are ignored.  Like @code{digamma_array}, it
## drops dimensions beyond the second.
##
## Accuracy: the absolute error is below 5e-16 everywhere, but the formula
## loses relative accuracy for small arguments: up to about 1e-8 just above
## 1.5e-8, 2e-10 at 1e-6, 2e-14 at 0.01.  Use Octave's @code{tanh} where
## the relative accuracy of small values matters (for example in
## @code{tanh (x) / x}), and for single or complex values.
##
## Threads: the work is shared by worker threads, as many as the environment
## variable @env{SAMPLEKIT_THREADS} says (a whole number from 1 to 1024) or,
## when it is unset or empty, as many as the cores Octave may run on (at most
## 64); small inputs stay on one thread.  The result is the same, bit for bit,
## for every thread count.  Any other value of the variable raises
## "SAMPLEKIT_THREADS must be a whole number from 1 to 1024, or unset.".
##
## Errors: "Wrong number of input arguments." (no argument) and "X must be a
## real double array.".
##
## @example
## tanh_array ([-1 0 1])
## @end example
## @seealso{digamma_array}
## @end deftypefn

%!assert (tanh_array ([18 -18]), [0.9999999999999996 -0.9999999999999996])
%!assert (tanh_array ([18.000001 Inf -Inf]), [1 1 -1])
%!assert (tanh_array ([1.5e-8 0]), [1.5e-8 0])
%!assert (1 / tanh_array (-0), -Inf)
%!assert (tanh_array (1.6e-8), 1.5999999991578306e-08)
%!assert (tanh_array (-1), -0.7615941559557646)
%!assert (isnan (tanh_array (NaN)))
%!assert (size (tanh_array (zeros (0, 3))), [0 3])
%!assert (tanh_array (0.5, "ignored"), tanh_array (0.5))
%!error <Wrong number of input arguments\.> tanh_array ()
%!error <X must be a real double array\.> tanh_array (single (1))
