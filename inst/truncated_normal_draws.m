## -*- texinfo -*-
## @deftypefn  {} {@var{Y} =} truncated_normal_draws (@var{mu}, @var{sigma}, @var{a}, @var{b})
## @deftypefnx {} {@var{Y} =} truncated_normal_draws (@var{mu}, @var{sigma}, @var{a}, @var{b}, @var{M}, @var{N})
## @deftypefnx {} {@var{Y} =} truncated_normal_draws (@var{mu}, @var{sigma}, @var{a}, @var{b}, [@var{M} @var{N}])
## Draw from the normal distribution restricted to an interval.
##
## Each element of @var{Y} is a draw from Normal(@var{mu}, @var{sigma}^2)
## conditioned on lying in [@var{a}, @var{b}], with @var{a} < @var{b};
## @var{a} may be @code{-Inf} and @var{b} may be @code{Inf}.  Every draw is
## exact and lies in [@var{a}, @var{b}], however far in a tail (an interval
## from 40 sigma upwards, say) or however narrow (1e-9 sigma) the interval
## is; no draw is Inf or NaN.  An infinite bound acts as the largest finite
## double of its sign, which changes nothing unless @var{sigma} is itself
## near that size.
##
## @var{mu}, @var{sigma}, @var{a} and @var{b} are each either a scalar, used
## for every element, or an array giving one value per element at the same
## storage position.  With four arguments @var{Y} has the size of the
## array parameters (which must agree), 1 x 1 when all are scalars; with
## @var{M} and @var{N}, or one size vector @code{[@var{M} @var{N}]} as
## Octave's @code{rand} takes, @var{Y} is @var{M} x @var{N} (sizes
## truncated toward zero) and every array parameter must be @var{M} x
## @var{N}.
##
## Method and randomness, by region of the standardised interval
## [alpha, beta] = ([@var{a}, @var{b}] - @var{mu}) / @var{sigma}:
## @itemize
## @item Around the mean (alpha < 0 < beta), at least sqrt (2 pi) wide:
## normal proposals, one @code{randn} per trial, kept when they fall in the
## interval.
## @item Around the mean, narrower: uniform proposals on the interval
## (Robert 1995), two @code{rand} per trial (the point, then the test).
## @item On one side of the mean, narrow (beta^2 - alpha^2 <= 2): uniform
## proposals, two @code{rand} per trial, as above.
## @item On one side, from |alpha| >= 0.648 outwards: Rayleigh proposals
## truncated to the interval by inversion (Botev 2017), two @code{rand} per
## trial (the point, then the test).
## @item On one side, from nearer the mean: normal proposals folded to that
## side, one @code{randn} per trial.
## @end itemize
## Every method needs fewer than 2.6 trials on average.  An interval below
## the mean is drawn as the mirror image of the one above it.  Elements are
## drawn in storage order, so seeding both @code{rand ("state", k)} and
## @code{randn ("state", k)} fixes every bit of @var{Y}.  Octave's builtin
## generators hand these values over inside the process, with no
## interpreter call per value; a @code{rand} or @code{randn} of your own on
## the path sees one call per value.
##
## Ctrl-C stops a long call within milliseconds, with no result;
## @code{rand} and @code{randn} are then left as if the values the call had
## drawn so far had been drawn one call at a time.
##
## Errors: "Too many output arguments.", "Wrong number of input arguments.",
## "Size information is inconsistent.", "Size arguments must be finite and
## non-negative, with fewer than 2^31 elements in all.", "Size arguments
## must not be empty.", "The size must be M and N, or one vector [M N].",
## "M must be a scalar." (likewise N), "mu must be a real double array." (a
## parameter of another class, scalar or not; likewise sigma, a, b), "mu
## must have at most two dimensions.", "mu must not be empty.", and for
## any element: "mu must be finite.",
## "sigma must be positive and finite.", "a and b must not be NaN." and
## "a must be less than b." (which also refuses @code{a = Inf} and
## @code{b = -Inf}).
##
## @example
## rand ("state", 1); randn ("state", 1);
## x = truncated_normal_draws (0, 1, 8, Inf, 1000, 1);   # all >= 8
## y = truncated_normal_draws (2, 0.5, 0, [1 2 3]);      # three intervals
## @end example
## @seealso{randn}
## @end deftypefn

%!test
%! states = {rand("state"), randn("state")};
%! unwind_protect
%!   rand ("state", 3);
%!   randn ("state", 3);
%!   y = truncated_normal_draws (0, 1, [-1 8; 0 -Inf], [2 Inf; 1e-9 -40], 2, 2);
%!   rand ("state", 3);
%!   randn ("state", 3);
%!   assert (truncated_normal_draws (0, 1, [-1 8; 0 -Inf], [2 Inf; 1e-9 -40]), y);
%!   assert (all (y(:) >= [-1; 0; 8; -Inf] & y(:) <= [2; 1e-9; Inf; -40]));
%!   assert (size (truncated_normal_draws (0, 1, [0 1 2], Inf)), [1 3]);
%!   assert (size (truncated_normal_draws (zeros (2, 3), 1, -1, 1)), [2 3]);
%!   assert (size (truncated_normal_draws (0, 1, 0, 1, 2.9, 3.2)), [2 3]);
%!   assert (size (truncated_normal_draws (0, 1, 0, 1, 0, 3)), [0 3]);
%!   assert (size (truncated_normal_draws (0, 1, 0, 1, [2 3])), [2 3]);
%! unwind_protect_cleanup
%!   rand ("state", states{1});
%!   randn ("state", states{2});
%! end_unwind_protect

%!demo
%! ## Draws from 8 sigma upwards, where the inverse CDF returns Inf
%! rand ("state", 1); randn ("state", 1);
%! x = truncated_normal_draws (0, 1, 8, Inf, 10000, 1);
%! hist (x, 50);
%! title ("truncated\\_normal\\_draws (0, 1, 8, Inf, 10000, 1)");

%!error <Too many output arguments\.> [p, q] = truncated_normal_draws (0, 1, 0, 1)
%!error <Wrong number of input arguments\.> truncated_normal_draws (0, 1, 0)
%!error <Size information is inconsistent\.> truncated_normal_draws ([0 0], 1, [0; 0], 1)
%!error <mu must be finite\.> truncated_normal_draws (Inf, 1, 0, 1)
%!error <sigma must be positive and finite\.> truncated_normal_draws (0, [1 0], 0, 1)
%!error <sigma must be positive and finite\.> truncated_normal_draws (0, NaN, 0, 1)
%!error <a and b must not be NaN\.> truncated_normal_draws (0, 1, NaN, 1)
%!error <a must be less than b\.> truncated_normal_draws (0, 1, 1, 1)
%!error <a must be less than b\.> truncated_normal_draws (0, 1, Inf, Inf)
%!error <a must be less than b\.> truncated_normal_draws (0, 1, -Inf, -Inf)
