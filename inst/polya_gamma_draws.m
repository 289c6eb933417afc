## -*- texinfo -*-
## @deftypefn  {} {@var{Y} =} polya_gamma_draws (@var{b}, @var{z})
## @deftypefnx {} {@var{Y} =} polya_gamma_draws (@var{b}, @var{z}, @var{M}, @var{N})
## @deftypefnx {} {@var{Y} =} polya_gamma_draws (@var{b}, @var{z}, [@var{M} @var{N}])
## Draws from the Polya-Gamma distribution PG(@var{b}, @var{z}).
##
## PG(b, z) is the law of
## @code{sum_k g_k / (2 pi^2 ((k - 1/2)^2 + z^2 / (4 pi^2)))} with
## independent @code{g_k ~ Gamma (b, 1)}: mean
## @code{b / (2 z) * tanh (z / 2)} (@code{b / 4} at @code{z = 0}) and Laplace
## transform @code{E[exp(-t X)] = cosh (z/2)^b / cosh (sqrt ((z^2/2 + t) / 2))^b}.
## A PG(b, x'beta) draw per observation makes Gibbs sampling exact for
## logistic (b = number of trials) and negative binomial regression (Polson,
## Scott and Windle 2013).
##
## @var{b} (positive, at most 1e6) and @var{z} (real, finite) are each a
## scalar, used for every element, or an array giving one value per element.
## With two arguments @var{Y} has the size of the array parameter (1 x 1 when
## both are scalars); two array parameters must have the same size.  With
## @var{M} and @var{N}, @var{Y} is @var{M} x @var{N} (truncated toward zero)
## and every array parameter must be @var{M} x @var{N}.  The size may also
## be given as one vector @code{[@var{M} @var{N}]}, as for @code{rand}.  The
## elements are drawn in storage order.
##
## Method, exact for every b (no truncated series or approximation):
## @code{PG(b, z) = J*(b, |z|/2) / 4}, and J*(b, c) is a sum of independent
## pieces: @code{floor (b)} pieces J*(1, c), then for the fractional part
## @code{h = b - floor (b)} one piece J*(h, c) when @code{h <= 1/2} or two
## pieces J*(h/2, c) when @code{h > 1/2}.  Each piece is drawn by rejection
## from a two-part hat (an inverse Gaussian or Levy law on (0, t], an
## exponential beyond), accepted by the alternating series of the density
## (Devroye's series method): for @code{h = 1} the method of Polson, Scott
## and Windle (2013) with t = 0.64; for @code{h <= 1/2} the same series of
## J*(h) with t = 1.25, where the series is used only from the term on which
## its partial sums bracket the density.  Far beyond t that series cancels
## (at x = 31 its sum is 3e-16 of terms near 1): a comparison that double
## precision cannot settle is made again in double-double arithmetic.  The cost grows with
## @code{floor (b)}: about 0.1 microseconds a piece.
##
## Randomness comes from Octave's @code{rand} and @code{randn}, in the
## order the pieces are drawn.  Each piece draws candidates until one is
## accepted; a candidate takes one @code{rand} (which part of the hat), then
## its position, then one @code{rand} (the acceptance test).  The position
## takes, beyond t, one @code{rand} (an exponential, @code{-log (U)});
## below t, for whole pieces with @code{|z| <= 3.125}, pairs of @code{rand}
## (two exponentials) until a pair is accepted, for a fractional piece J*(h,
## c) (h the fraction or its half) with @code{|z| <= 1.6 h}, @code{randn}
## values until one is at least @code{h / sqrt (1.25)} in size, and otherwise a @code{randn} then a
## @code{rand} per inverse Gaussian candidate until one is at most t.
## Seeding both generators fixes every bit.  Octave's builtin generators
## hand these values over inside the process, with no interpreter call per
## value; a @code{rand} or @code{randn} of your own on the path sees one call
## per value.  A draw below the smallest positive double (which b below
## about 1e-160 gives) is 0.
##
## Ctrl-C stops a long call within milliseconds, with no result;
## @code{rand} and @code{randn} are then left as if the values the call had
## drawn so far had been drawn one call at a time.
##
## Errors: "Too many output arguments.", "Wrong number of input arguments.",
## "Size information is inconsistent.", the size messages (among them
## "The size must be M and N, or one vector [M N]." and "M must be a
## scalar."), "b must be a real double array." (any other class, also for
## a scalar; the same for @var{z}), "b must have at most two dimensions.",
## "b must not be empty.", "b must be positive and finite.", "z must be
## finite." and "b above 1e6 is not supported.".
##
## @example
## rand ("state", 1); randn ("state", 1);
## omega = polya_gamma_draws (1, X * beta);    # one draw per observation
## @end example
## @seealso{gig_draws}
## @end deftypefn

%!test
%! saved = {rand("state"), randn("state")};
%! unwind_protect
%!   rand ("state", 3); randn ("state", 3);
%!   a = polya_gamma_draws (2.5, -1, 3, 4);
%!   rand ("state", 3); randn ("state", 3);
%!   assert (polya_gamma_draws (2.5 * ones (3, 4), -1), a);   # same seed, same bits
%!   assert (size (a), [3 4]);
%!   rand ("state", 3); randn ("state", 3);
%!   assert (polya_gamma_draws (2.5, -1, [3 4]), a);   # the size as one vector
%!   assert (all (a(:) > 0));
%!   assert (size (polya_gamma_draws ([1 2; 3 4], 0)), [2 2]);
%!   assert (size (polya_gamma_draws (1, [1 2 3])), [1 3]);
%!   assert (size (polya_gamma_draws (1, 0, 2.9, 0)), [2 0]);
%!   assert (size (polya_gamma_draws (1, [])), [0 0]);
%!   ## per-element parameters in storage order, as one scalar call after another
%!   b = [0.3 1 2.7; 4 0.5 1.2];
%!   z = [0 -2 5; 1 30 -0.1];
%!   rand ("state", 4); randn ("state", 4);
%!   y = polya_gamma_draws (b, z);
%!   rand ("state", 4); randn ("state", 4);
%!   assert (arrayfun (@polya_gamma_draws, b, z), y);
%!   ## extreme but valid parameters give finite, non-negative draws
%!   y = polya_gamma_draws ([1e-300 1e-3 1 0.5 7.5 1e3], [1e300 -1e-300 1e8 0 -700 3]);
%!   assert (all (isfinite (y) & y >= 0));
%!   assert (y(3) > 0 && y(3) < 1e-7);
%! unwind_protect_cleanup
%!   rand ("state", saved{1}); randn ("state", saved{2});
%! end_unwind_protect

%!error <Too many output arguments\.> [a, b] = polya_gamma_draws (1, 0)
%!error <Wrong number of input arguments\.> polya_gamma_draws (1)
%!error <The size must be M and N, or one vector \[M N\]\.> polya_gamma_draws (1, 0, [2 3 4])
%!error <Size information is inconsistent\.> polya_gamma_draws ([1 2], [1 2 3])
%!error <Size information is inconsistent\.> polya_gamma_draws ([1 2], 0, 3, 1)
%!error <b must be a real double array\.> polya_gamma_draws (single ([1 2]), 0)
%!error <z must be a real double array\.> polya_gamma_draws (1, {1})
%!error <b must be positive and finite\.> polya_gamma_draws ([1 0], 0)
%!error <b must be positive and finite\.> polya_gamma_draws (Inf, 0)
%!error <b must be positive and finite\.> polya_gamma_draws (NaN, 0)
%!error <z must be finite\.> polya_gamma_draws (1, [0 -Inf])
%!error <b above 1e6 is not supported\.> polya_gamma_draws (1e6 + 1, 0)

%!demo
%! ## A histogram of 1e5 PG(1, 2) draws against the exact mean.
%! x = polya_gamma_draws (1, 2, 1e5, 1);
%! hist (x, 100);
%! title (sprintf ("PG(1, 2): mean %.4f, exact %.4f", mean (x), tanh (1) / 4));
