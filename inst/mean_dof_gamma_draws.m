## -*- texinfo -*-
## @deftypefn  {} {@var{Y} =} mean_dof_gamma_draws (@var{s}, @var{nu})
## @deftypefnx {} {@var{Y} =} mean_dof_gamma_draws (@var{s}, @var{nu}, @var{M}, @var{N})
## @deftypefnx {} {@var{Y} =} mean_dof_gamma_draws (@var{s}, @var{nu}, [@var{M} @var{N}])
## Gamma draws by mean and degrees of freedom.
##
## Each element of @var{Y} is a gamma draw with mean @var{s} and @var{nu}
## degrees of freedom: shape @code{nu / 2} and scale @code{2 * s / nu}, the
## distribution of @code{s * X / nu} with @code{X} chi-square with @var{nu}
## degrees of freedom.  It is computed as @code{((G * 2) * s) / nu} with
## @code{G} a gamma variate of shape @code{nu / 2} and scale 1.
##
## @var{s} and @var{nu} are each a scalar, used for every element, or an
## array giving one value per element at the same storage position.  With
## two arguments @var{Y} has the size of whichever parameter is an array
## (1 x 1 when both are scalars); two array parameters must have the same
## size.  With @var{M} and @var{N}, @var{Y} is @var{M} x @var{N}; sizes are
## truncated toward zero and every array parameter must be @var{M} x @var{N}.
## The size may also be given as one vector @code{[@var{M} @var{N}]}, as
## for @code{rand}: real numeric or logical, 1 x 2 or 2 x 1; any other
## single argument in its place gives "Wrong number of input arguments.".
##
## Randomness comes from Octave's @code{rand}, the values of one call per
## uniform, with the elements drawn in storage order: seeding
## @code{rand ("state", k)} fixes every bit.
##
## The parameter values are not checked.  An element whose @var{nu} is
## negative, or positive and below 2e-5, is @var{s} up to rounding and uses
## no random value (the gamma shape @code{nu / 2} is then taken as the gamma
## draw itself).  That is no draw from the law, whose mass at such @var{nu}
## lies almost all far below @var{s} (its mean): keep @var{nu} at 2e-5 or
## above.  @var{nu} = 0 (of either sign) gives NaN, as 0 / 0, and so
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
## "Size information is inconsistent.", the size messages, "s must be a real
## double array." (an array parameter of another class), "nu must be a real
## number." and "nu must not be empty.".
##
## @example
## tau = mean_dof_gamma_draws (2, 10, 1000, 1);   # mean 2
## @end example
## @seealso{mean_dof_gamma_draw, scaled_invchi2_draws}
## @end deftypefn

%!test
%! s = rand ("state");
%! unwind_protect
%!   rand ("state", 40);
%!   a = mean_dof_gamma_draws (2, 5, 3, 4);
%!   rand ("state", 40);
%!   assert (mean_dof_gamma_draws (2, 5, 3, 4), a);
%!   rand ("state", 40);
%!   assert (mean_dof_gamma_draws (2, 5, [3; 4]), a);   # the size as one vector
%!   assert (size (a), [3 4]);
%!   assert (all (a(:) > 0));
%!   assert (size (mean_dof_gamma_draws (ones (2, 3), 4)), [2 3]);
%!   assert (mean_dof_gamma_draws (0, [1 2 3]), [0 0 0]);
%!   assert (size (mean_dof_gamma_draws (1, 4, 2.9, 3.2)), [2 3]);
%! unwind_protect_cleanup
%!   rand ("state", s);
%! end_unwind_protect

%!error <Too many output arguments\.> [a, b] = mean_dof_gamma_draws (1, 2, 3)
%!error <Wrong number of input arguments\.> mean_dof_gamma_draws (1, 2, 3)
%!error <Size information is inconsistent\.> mean_dof_gamma_draws (ones (2, 3), ones (3, 2))
%!error <s must be a real double array\.> mean_dof_gamma_draws (int8 ([1 2]), 1)
