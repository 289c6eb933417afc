## -*- texinfo -*-
## @deftypefn  {} {@var{Y} =} gig_draws (@var{lambda}, @var{chi}, @var{psi})
## @deftypefnx {} {@var{Y} =} gig_draws (@var{lambda}, @var{chi}, @var{psi}, @var{M}, @var{N})
## @deftypefnx {} {@var{Y} =} gig_draws (@var{lambda}, @var{chi}, @var{psi}, [@var{M} @var{N}])
## Draws from the generalised inverse Gaussian distribution.
##
## The density is proportional to
## @code{x^(lambda - 1) * exp (-(chi / x + psi * x) / 2)} for @code{x > 0}.
## Each parameter is a scalar, used for every element, or an array giving
## one value per element; the elements are drawn in storage order.  With
## three arguments @var{Y} has the size of the array parameters (all of the
## same size), or 1 x 1; with @var{M} and @var{N} it is @var{M} x @var{N}
## (truncated toward zero), and every array parameter must be @var{M} x
## @var{N}.
## The size may also be given as one vector @code{[@var{M} @var{N}]}, as
## for @code{rand}: real numeric or logical, 1 x 2 or 2 x 1; any other
## single argument in its place gives "Wrong number of input arguments.".
##
## The parameters must be finite with @code{chi >= 0} and @code{psi >= 0};
## @code{chi = 0} needs @code{lambda > 0} (the gamma distribution with shape
## @var{lambda} and scale @code{2 / psi}), @code{psi = 0} needs
## @code{lambda < 0} (@code{chi / 2} over a gamma draw of shape
## @code{-lambda}), and @code{lambda = 0} needs both positive.  Where
## @code{|lambda| <= 1} and @code{omega = sqrt (chi * psi)} is below 1e-300
## the function refuses (the hat's constants leave the doubles); for
## @code{|lambda| > 1} such parameters are drawn from the gamma limit below.
##
## Method: the draw is @code{sqrt (chi / psi)} times (or, for negative
## @var{lambda}, divided by) a draw of the one-parameter family
## @code{y^(lambda - 1) exp (-omega (y + 1/y) / 2)}, which comes from one of
## three rejection methods after Hoermann and Leydold (2014), picked by
## @var{lambda} and @var{omega} so that the expected number of trials stays
## small however peaked the density: ratio-of-uniforms about the mode
## (@code{|lambda| > 1} or @code{omega > 1}), ratio-of-uniforms about 0 for
## moderate @var{omega}, and a three-piece hat otherwise.  The gamma limits
## use ratio-of-uniforms about the mode, with @code{G(a) = G(a + 1) U^(1/a)}
## below shape 1.  Where @code{|lambda| > 1} and @var{omega} is below
## @code{|lambda| * 1e-300} (the standardised mode, about @code{2 |lambda| /
## omega}, lies beyond the doubles), the draw is the gamma limit, as for
## @code{chi = 0} (@code{psi = 0} for negative @var{lambda}), which is within
## total variation 1e-290 of the distribution.  Above @code{|lambda| =
## 1e290} the relative spread of the distribution is below 1e-145, far
## below the spacing of doubles, and the element is its mode, with no draw.
##
## Values beyond the doubles: the scale (@code{sqrt (chi / psi)},
## @code{2 / psi} or @code{chi / 2}) is applied without an intermediate
## overflow or underflow, so an element is Inf only where its true value
## exceeds @code{realmax}, and 0 only where it is below the smallest
## positive double, 4.9e-324; each happens with the probability the
## distribution gives it.  For example @code{gig_draws (-1e-300, 1, 0)} is
## Inf and @code{gig_draws (1e-300, 0, 1)} is 0 but for a chance of about
## 1e-297 (the gamma variate of shape 1e-300 is about @code{exp (-1e300 *
## E)} with E exponential), and @code{gig_draws (1, 0, 1e-308)} is Inf with
## probability @code{exp (-realmax * 1e-308 / 2)}, 0.41.
##
## Randomness: uniforms come from @code{rand (k, 1)} calls made as they are
## needed, with @code{k = min (65536, 2 * r + 32)} where @var{r} is the number
## of elements not yet drawn when the call is made.  They are used in order
## (two per ratio-of-uniforms trial, @var{u} then @var{v}; three per
## three-piece trial: piece, position, acceptance; below gamma shape 1 the
## @var{U} comes first), and the rest of the last block is discarded.
## An element with @code{|lambda|} above 1e290 uses none.  Seeding
## @code{rand} fixes every bit.  No call of @code{rand} is made for an empty
## result.
##
## Ctrl-C stops a long call within milliseconds, with no result;
## @code{rand} and @code{randn} are then left as if the values the call had
## drawn so far had been drawn one call at a time.
##
## Errors: "Too many output arguments.", "Wrong number of input arguments.",
## "Size information is inconsistent.", the size messages, "lambda must be a
## real double array." (and the same for @var{chi} and @var{psi}), "lambda
## must be a real number.", "lambda must not be empty.", "lambda, chi and
## psi must be finite, with chi >= 0 and psi >= 0, chi > 0 where lambda <= 0
## and psi > 0 where lambda >= 0.", "sqrt (chi * psi) below 1e-300 is not
## supported where |lambda| <= 1." and "The host's rand returned an
## unexpected result.".
##
## @example
## x = gig_draws (0.5, 2, 3, 1000, 1);      # one parameter set
## y = gig_draws (lambda, chi, psi);       # one draw per element
## @end example
## @seealso{gig_ars_draw}
## @end deftypefn

%!test
%! s = rand ("state");
%! unwind_protect
%!   rand ("state", 5);
%!   a = gig_draws (0.5, 2, 3, 4, 5);
%!   rand ("state", 5);
%!   assert (gig_draws (0.5 * ones (4, 5), 2, 3 * ones (4, 5)), a);
%!   rand ("state", 5);
%!   assert (gig_draws (0.5, 2, 3, [4 5]), a);   # the size as one vector
%!   assert (size (a), [4 5]);
%!   assert (all (a(:) > 0));
%!   assert (size (gig_draws ([1 2; 3 4], 1, 1)), [2 2]);
%!   assert (size (gig_draws (1, 1, 1, 2.9, 0)), [2 0]);
%!   assert (size (gig_draws (1, 1, 1)), [1 1]);
%! unwind_protect_cleanup
%!   rand ("state", s);
%! end_unwind_protect

%!error <Too many output arguments\.> [a, b] = gig_draws (1, 1, 1)
%!error <Wrong number of input arguments\.> gig_draws (1, 1)
%!error <Wrong number of input arguments\.> gig_draws (1, 1, 1, 2)
%!error <Size information is inconsistent\.> gig_draws ([1 2], 1, [1 2 3])
%!error <Size information is inconsistent\.> gig_draws ([1 2], 1, 1, 3, 1)
%!error <lambda must be a real double array\.> gig_draws (int8 ([1 2]), 1, 1)
%!error <chi must be a real number\.> gig_draws (1, "a", 1)
%!error <psi must not be empty\.> gig_draws (1, 1, [], 2, 2)
%!error <lambda, chi and psi must be finite> gig_draws (1, 1, 0)
%!error <lambda, chi and psi must be finite> gig_draws (-1, 0, 1)
%!error <lambda, chi and psi must be finite> gig_draws (0, 0, 1)
%!error <lambda, chi and psi must be finite> gig_draws (1, -1, 1)
%!error <lambda, chi and psi must be finite> gig_draws (NaN, 1, 1)
%!error <lambda, chi and psi must be finite> gig_draws ([1 Inf], 1, 1)
%!error <sqrt \(chi \* psi\) below 1e-300 is not supported where \|lambda\| <= 1\.> gig_draws (1, 1e-310, 1e-300)
%!error <below 1e-300 is not supported> gig_draws ([2 -0.5], 1e-310, 1e-300)

%!demo
%! ## A histogram of 1e5 draws against the density, for lambda = -0.5,
%! ## chi = 2, psi = 1 (the inverse Gaussian distribution).
%! lambda = -0.5;  chi = 2;  psi = 1;
%! x = gig_draws (lambda, chi, psi, 1e5, 1);
%! edges = 0:0.1:8;
%! share = histc (x, edges)(1:end-1) / (numel (x) * 0.1);
%! ## The density with its normalising constant, away from x = 0, where
%! ## x^(lambda-1) * exp (-chi/x) would be Inf * 0.
%! t = linspace (0.01, 8, 400);
%! omega = sqrt (chi * psi);
%! f = (psi / chi) ^ (lambda / 2) / (2 * besselk (lambda, omega)) ...
%!     * t .^ (lambda - 1) .* exp (-(chi ./ t + psi * t) / 2);
%! plot (edges(1:end-1) + 0.05, share, "o", t, f, "-");
%! legend ({"gig_draws (-0.5, 2, 1, 1e5, 1)", "exact density"}, "interpreter", "none");
%! xlabel ("x");
%! ylabel ("density");
