## -*- texinfo -*-
## @deftypefn  {} {@var{Y} =} dirichlet_draws (@var{alpha})
## @deftypefnx {} {@var{Y} =} dirichlet_draws (@var{alpha}, @var{B})
## @deftypefnx {} {[@var{Y}, @var{logY}] =} dirichlet_draws (@dots{})
## Draw from the Dirichlet distribution, one draw per column.
##
## With a vector @var{alpha} (row or column) of @var{K} >= 2 concentrations,
## @var{Y} is a @var{K} x @var{B} matrix of @var{B} independent draws
## (@var{B} defaults to 1 and is truncated toward zero); each column is
## non-negative and sums to 1.  A @var{K} x @var{B} matrix @var{alpha}
## (both dimensions above 1, no @var{B} argument) gives column @var{j} of
## @var{Y} the concentrations @code{@var{alpha}(:, @var{j})}.
##
## @var{logY} is @code{log (@var{Y})}, computed without forming @var{Y}:
## it stays finite where @var{Y} underflows to 0, as it does for tiny
## concentrations.  Each coordinate is @code{log (G)} of a gamma draw of
## shape alpha, and a column is @code{exp (log (G) - max)} divided by its
## sum (a log-sum-exp), so concentrations down to 1e-300 never give NaN and
## every column sums to 1 within a few units of rounding.
##
## Method: Marsaglia and Tsang (2000), a squeeze method with one normal and
## one uniform per trial (more than 95% of trials accept), kept in
## logarithms; a shape @var{a} below 1 is drawn as shape @code{@var{a} + 1}
## plus @code{log (U) / @var{a}}.
##
## Randomness and seeding: columns in order, coordinates in storage order.
## Each coordinate with alpha below 1 first takes one @code{rand} (U); then,
## per trial, one @code{randn} (x) and, unless @code{1 + c*x <= 0} ends the
## trial, one @code{rand}.  Seeding both @code{rand ("state", k)} and
## @code{randn ("state", k)} fixes every bit of @var{Y} and @var{logY}, and
## a matrix @var{alpha} whose columns are all @var{a} gives the same bits as
## @code{dirichlet_draws (@var{a}, @var{B})}.  Octave's builtin generators
## hand these values over inside the process, with no interpreter call per
## value; a @code{rand} or @code{randn} of your own on the path sees one call
## per value.
##
## Ctrl-C stops a long call within milliseconds, with no result;
## @code{rand} and @code{randn} are then left as if the values the call had
## drawn so far had been drawn one call at a time.
##
## Errors: "Too many output arguments.", "Wrong number of input arguments.",
## "alpha must be a real double array.", "alpha must be a vector of at least
## 2 concentrations or a matrix with at least 2 rows and 2 columns." (also
## for arrays of more than two dimensions), "B must not be given with a
## matrix alpha.", "B must be a scalar.", "B must be a real number.", "Size
## arguments must not be empty.", "Size arguments must be finite and
## non-negative, with fewer than 2^31 elements in all.", "alpha must hold
## positive finite concentrations." and "Concentrations below 1e-300 are
## not supported.".
##
## @example
## rand ("state", 1); randn ("state", 1);
## p = dirichlet_draws ([2 3 5], 1000);        # 3 x 1000, columns sum to 1
## [y, logy] = dirichlet_draws ([1e-4 1e-5 1e-4]);   # y underflows, logy does not
## @end example
## @seealso{simplex_weight_draws, normalized_weights}
## @end deftypefn

%!test
%! states = {rand("state"), randn("state")};
%! unwind_protect
%!   rand ("state", 5);
%!   randn ("state", 5);
%!   [y, logy] = dirichlet_draws ([2 3 5], 4);
%!   rand ("state", 5);
%!   randn ("state", 5);
%!   assert (dirichlet_draws ([2 3 5], 4), y);   # same seed, same bits
%!   assert (size (y), [3 4]);
%!   assert (sum (y), ones (1, 4), 4 * eps);
%!   assert (logy, log (y), 1e-13);
%!   assert (size (dirichlet_draws ([1; 2])), [2 1]);
%!   assert (size (dirichlet_draws ([1 2], 2.9)), [2 2]);
%!   assert (size (dirichlet_draws ([1 2], 0)), [2 0]);
%!   assert (size (dirichlet_draws (ones (3, 5))), [3 5]);
%! unwind_protect_cleanup
%!   rand ("state", states{1});
%!   randn ("state", states{2});
%! end_unwind_protect

%!demo
%! ## 2000 draws on the 2-simplex for two concentration vectors
%! rand ("state", 1); randn ("state", 1);
%! for alpha = {[1 1 1], [0.3 0.3 0.3]}
%!   y = dirichlet_draws (alpha{1}, 2000);
%!   figure ();
%!   plot (y(1, :) + y(2, :) / 2, y(2, :) * sqrt (3) / 2, ".");
%!   axis equal;
%!   title (sprintf ("dirichlet\\_draws (%s, 2000)", mat2str (alpha{1})));
%! endfor

%!error <Too many output arguments\.> [a, b, c] = dirichlet_draws ([1 2])
%!error <Wrong number of input arguments\.> dirichlet_draws ([1 2], 1, 1)
%!error <alpha must be a real double array\.> dirichlet_draws (single ([1 2]))
%!error <alpha must be a vector of at least 2 concentrations> dirichlet_draws (1)
%!error <alpha must be a vector of at least 2 concentrations> dirichlet_draws (ones (2, 2, 2))
%!error <B must not be given with a matrix alpha\.> dirichlet_draws (ones (2, 3), 3)
%!error <B must be a scalar\.> dirichlet_draws ([1 2], [3 4])
%!error <alpha must hold positive finite concentrations\.> dirichlet_draws ([1 0], 2)
%!error <alpha must hold positive finite concentrations\.> dirichlet_draws ([1 Inf])
%!error <alpha must hold positive finite concentrations\.> dirichlet_draws ([1 NaN])
%!error <Concentrations below 1e-300 are not supported\.> dirichlet_draws ([1 1e-301])
