## -*- texinfo -*-
## @deftypefn  {} {@var{Y} =} scaled_invchi2_draws (@var{s2}, @var{nu})
## @deftypefnx {} {@var{Y} =} scaled_invchi2_draws (@var{s2}, @var{nu}, @var{M}, @var{N})
## @deftypefnx {} {@var{Y} =} scaled_invchi2_draws (@var{s2}, @var{nu}, [@var{M} @var{N}])
## Draw from the scaled inverse-chi-square distribution.
##
## Each element of @var{Y} is a draw of @code{@var{nu} * @var{s2} / X} with
## @code{X} chi-square with @var{nu} degrees of freedom, computed as
## @code{(s2 * nu / 2) / G} where @code{G} is a gamma variate of shape
## @code{nu / 2} and scale 1.
##
## Mind the order: the scale @var{s2} comes first and the degrees of freedom
## @var{nu} second, the reverse of the textbook Scaled-Inv-chi2(nu, s2).
## For @var{nu} > 2 the mean is @code{nu * s2 / (nu - 2)}.
##
## @var{s2} (scale) and @var{nu} (degrees of freedom) are each either a
## scalar, used for every element, or an array giving one value per element
## at the same storage position.  With two arguments @var{Y} has the size of
## whichever parameter is an array (1 x 1 when both are scalars); two array
## parameters must have the same size.  With @var{M} and @var{N}, @var{Y} is
## @var{M} x @var{N}; sizes are truncated toward zero and every array
## parameter must be @var{M} x @var{N}.
## The size may also be given as one vector @code{[@var{M} @var{N}]}, as
## for @code{rand}: real numeric or logical, 1 x 2 or 2 x 1; any other
## single argument in its place gives "Wrong number of input arguments.".
##
## Randomness comes from Octave's @code{rand}, the values of one call per
## uniform, with the elements drawn in storage order: seeding
## @code{rand ("state", k)} fixes every bit of the result.
##
## The parameter values are not checked.  An element whose @var{nu} is
## negative, or positive and below 2e-5, is @var{s2} up to rounding and uses
## no random value (the gamma shape @code{nu / 2} is then taken as the gamma
## draw itself).  That is no draw from the law, whose mass at such @var{nu}
## lies almost all far above @var{s2}: keep @var{nu} at 2e-5 or above.
## @var{nu} = 0 (of either sign) gives NaN, as 0 / 0, and so
## does a NaN or infinite @var{nu}, also without a random value.
##
## Octave's builtin @code{rand} hands these values over inside the process,
## with no interpreter call per value; a @code{rand} of your own on the path
## sees one call per uniform.
##
## Ctrl-C stops a long call within milliseconds, with no result;
## @code{rand} and @code{randn} are then left as if the values the call had
## drawn so far had been drawn one call at a time.
##
## Threads: with one @var{nu} for every element, the trials of the gamma
## variates are shared by worker threads, as many as the environment
## variable @env{SAMPLEKIT_THREADS} says (a whole number from 1 to 1024) or,
## when it is unset or empty, as many as the cores Octave may run on (at most
## 64); small inputs stay on one thread.  The result and the generators'
## states are the same, bit for bit, for every thread count: every random
## value is drawn on the calling thread, in the order described above.  Any
## other value of the variable raises "SAMPLEKIT_THREADS must be a whole
## number from 1 to 1024, or unset.".
##
## Errors: "Too many output arguments.", "Wrong number of input arguments.",
## "Size information is inconsistent.", "Size arguments must be finite and
## non-negative, with fewer than 2^31 elements in all.", "Size arguments must
## not be empty.", "s2 must be a real double array." (an array parameter of
## another class), "nu must be a real number." (a scalar parameter that is
## not real numeric or logical) and "nu must not be empty.".
##
## @example
## rand ("state", 1);
## sigma2 = scaled_invchi2_draws (2.5, 10, 1000, 1);   # 1000 draws
## @end example
## @seealso{scaled_invchi2_draw, mean_dof_gamma_draws}
## @end deftypefn

%!test
%! s = rand ("state");
%! unwind_protect
%!   rand ("state", 42);
%!   a = scaled_invchi2_draws (2, 5, 3, 4);
%!   rand ("state", 42);
%!   b = scaled_invchi2_draws (2, 5, 3, 4);
%!   assert (size (a), [3 4]);
%!   assert (a, b);                       # same seed, same bits
%!   rand ("state", 42);
%!   assert (scaled_invchi2_draws (2, 5, [3 4]), a);   # the size as one vector
%!   assert (all (a(:) > 0));
%!   assert (size (scaled_invchi2_draws (ones (2, 3), 4)), [2 3]);
%!   assert (size (scaled_invchi2_draws (1, 4 * ones (2, 3))), [2 3]);
%!   assert (size (scaled_invchi2_draws (1, 4, 2.9, 3.2)), [2 3]);
%!   assert (size (scaled_invchi2_draws (1, 4)), [1 1]);
%!   assert (size (scaled_invchi2_draws (1, [])), [0 0]);
%! unwind_protect_cleanup
%!   rand ("state", s);
%! end_unwind_protect

%!error <Too many output arguments\.> [a, b] = scaled_invchi2_draws (1, 2, 3)
%!error <Wrong number of input arguments\.> scaled_invchi2_draws (1, 2, 3)
%!error <Wrong number of input arguments\.> scaled_invchi2_draws (1)
%!error <Wrong number of input arguments\.> scaled_invchi2_draws (1, 2, [3 4 5])
%!error <Size information is inconsistent\.> scaled_invchi2_draws (ones (2, 3), ones (3, 2))
%!error <Size information is inconsistent\.> scaled_invchi2_draws (ones (3, 1), 1, 3, 2)
%!error <Size arguments must be finite> scaled_invchi2_draws (1, 1, -1, 2)
%!error <Size arguments must not be empty\.> scaled_invchi2_draws (1, 1, [], 2)
