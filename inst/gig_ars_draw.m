## -*- texinfo -*-
## @deftypefn {} {@var{y} =} gig_ars_draw (@var{a0}, @var{a1}, @var{a2}, @var{a3}, @var{a4})
## One draw from a generalised inverse Gaussian (GIG) conditional.
##
## The density of @var{y} > 0 is proportional to
## @code{y^(lambda - 1) * exp (-(chi / y + psi * y) / 2)} with
## @code{lambda = (a2 * a4 - a1) / 2}, @code{chi = a0 * a1} and
## @code{psi = a2 * a4 / a3}.  The draw is made by derivative-based adaptive
## rejection sampling of @code{x = -log (y)}, whose log-density is concave;
## the search for the first tangents starts at @code{y = a0}.
##
## All five arguments are real scalars (an array contributes its first
## element) and must satisfy @code{a0 > 0}, @code{a1 > 0}, @code{a3 != 0}
## and @code{a2 * a4 / a3 >= 0}, all finite.
##
## Randomness: three uniforms from Octave's @code{rand} per candidate (the
## segment of the envelope, the position within it, the acceptance test),
## one call each; seeding @code{rand} fixes the draw.  If a call needs more
## than 10000 rejections, the line "WARNING: More than 10000 rejections in
## ars" is written once to standard error for as long as the module stays
## loaded.
##
## Ctrl-C stops a long call within milliseconds, with no result;
## @code{rand} and @code{randn} are then left as if the values the call had
## drawn so far had been drawn one call at a time.
##
## Errors: "Wrong number of input arguments." (checked first), "Too many
## output arguments.", "a0 must be a real number." (and so on),
## "Arguments must satisfy a0 > 0, a1 > 0, a3 ~= 0 and a2*a4/a3 >= 0, all
## finite." and, should the sampler fail for values at the edge of double
## range, "The sampler could not draw from this density; check the
## arguments.".
##
## @example
## y = gig_ars_draw (2, 3, 1.5, 0.5, 2);  # lambda = 0, chi = 6, psi = 6
## @end example
## @end deftypefn

%!test
%! s = rand ("state");
%! unwind_protect
%!   rand ("state", 3);
%!   a = gig_ars_draw (2, 3, 1.5, 0.5, 2);
%!   after = rand ();
%!   rand ("state", 3);
%!   gig_ars_draw ([2 7], 3, 1.5, 0.5, 2);   # no output asked: still draws
%!   assert (rand (), after);
%!   rand ("state", 3);
%!   assert (gig_ars_draw (2, 3, 1.5, 0.5, 2), a);
%!   assert (a > 0);
%!   rand ("state", 8);
%!   y = arrayfun (@(k) gig_ars_draw (2, 3, 1.5, 0.5, 2), 1:4000);
%!   target = besselk (1, 6) / besselk (0, 6);     # mean for lambda 0, chi = psi = 6
%!   sd = sqrt (besselk (2, 6) / besselk (0, 6) - target ^ 2);
%!   assert (abs (mean (y) - target) < 5 * sd / sqrt (4000));
%! unwind_protect_cleanup
%!   rand ("state", s);
%! end_unwind_protect

%!error <Wrong number of input arguments\.> gig_ars_draw (1, 2, 3, 4)
%!error <Wrong number of input arguments\.> [a, b] = gig_ars_draw (1, 2, 3, 4, 5, 6)
%!error <Too many output arguments\.> [a, b] = gig_ars_draw (1, 1, 1, 1, 1)
%!error <a3 must be a real number\.> gig_ars_draw (1, 1, 1, {1}, 1)
%!error <Arguments must satisfy a0 . 0, a1 . 0, a3 ~= 0 and a2\*a4/a3 .= 0, all finite\.> gig_ars_draw (0, 1, 1, 1, 1)
%!error <Arguments must satisfy> gig_ars_draw (1, -1, 1, 1, 1)
%!error <Arguments must satisfy> gig_ars_draw (1, 1, 1, 0, 1)
%!error <Arguments must satisfy> gig_ars_draw (1, 1, -1, 1, 1)
%!error <Arguments must satisfy> gig_ars_draw (1, 1, 1, 1, NaN)
