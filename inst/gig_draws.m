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
## @code{-lambda}), and @code{lambda = 0} needs both positive.  For
## @code{omega = sqrt (chi * psi)} below 1e-300 the function refuses.
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
## below shape 1.
##
## Randomness: uniforms come from @code{rand (k, 1)} calls made as they are
## needed, with @code{k = min (65536, 2 * r + 32)} where @var{r} is the number
## of elements not yet drawn when the call is made.  They are used in order
## (two per ratio-of-uniforms trial, @var{u} then @var{v}; three per
## three-piece trial: piece, position, acceptance; below gamma shape 1 the
## @var{U} comes first), and the rest of the last block is discarded.
## Seeding @code{rand} fixes every bit.  No call of @code{rand} is made for
## an empty result.
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
## supported." and "The host's rand returned an unexpected result.".
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
%!error <below 1e-300 is not supported> gig_draws (1, 1e-310, 1e-300)

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
