## -*- texinfo -*-
## @deftypefn {} {@var{y} =} scaled_invchi2_draw (@var{s2}, @var{nu})
## One draw from the scaled inverse-chi-square distribution.
##
## Returns @code{(s2 * nu / 2) / G} with @code{G} a gamma variate of shape
## @code{nu / 2}, the same draw as one element of
## @code{scaled_invchi2_draws}.  An array argument contributes its first
## element.  Randomness comes from Octave's @code{rand}; seeding it fixes the
## result.
##
## The scale @var{s2} comes first and the degrees of freedom @var{nu} second,
## the reverse of the textbook Scaled-Inv-chi2(nu, s2).  The values are not
## checked: a negative @var{nu}, or a positive one below 2e-5, gives @var{s2}
## up to rounding; @var{nu} = 0, NaN or Inf gives NaN.
##
## Ctrl-C stops a long call within milliseconds, with no result;
## @code{rand} and @code{randn} are then left as if the values the call had
## drawn so far had been drawn one call at a time.
##
## Errors: "Wrong number of input arguments." (checked first), "Too many
## output arguments.", "s2 must be a real number." (or nu) and "s2 must not
## be empty.".
##
## @example
## sigma2 = scaled_invchi2_draw (2.5, 10);
## @end example
## @seealso{scaled_invchi2_draws}
## @end deftypefn

%!test
%! s = rand ("state");
%! unwind_protect
%!   rand ("state", 7);
%!   a = scaled_invchi2_draw (2, 5);
%!   rand ("state", 7);
%!   b = scaled_invchi2_draws (2, 5);
%!   assert (a, b);             # one element of the array form, bit for bit
%!   rand ("state", 7);
%!   assert (scaled_invchi2_draw ([2 9], [5 1]), a);
%! unwind_protect_cleanup
%!   rand ("state", s);
%! end_unwind_protect

%!error <Wrong number of input arguments\.> [a, b] = scaled_invchi2_draw (1, 2, 3)
%!error <Too many output arguments\.> [a, b] = scaled_invchi2_draw (1, 2)
%!error <nu must be a real number\.> scaled_invchi2_draw (1, {2})
%!error <s2 must not be empty\.> scaled_invchi2_draw ([], 2)
