## -*- texinfo -*-
## @deftypefn  {} {@var{y} =} mean_dof_gamma_draw (@var{s}, @var{nu})
## One gamma draw by mean and degrees of freedom.
##
## Returns @code{((G * 2) * s) / nu} with @code{G} a gamma variate of shape
## @code{nu / 2}: a gamma draw with mean @var{s} and @var{nu} degrees of
## freedom, the same draw as one element of @code{mean_dof_gamma_draws}.  An
## array argument contributes its first element.  Randomness comes from
## Octave's @code{rand}; seeding it fixes the result.
##
## The values are not checked: a negative @var{nu}, or a positive one below
## 2e-5, gives @var{s} up to rounding; @var{nu} = 0, NaN or Inf gives NaN.
##
## Ctrl-C stops a long call within milliseconds, with no result;
## @code{rand} and @code{randn} are then left as if the values the call had
## drawn so far had been drawn one call at a time.
##
## Errors: "Wrong number of input arguments." (checked first), "Too many
## output arguments.", "s must be a real number." (or nu) and "s must not be
## empty.".
##
## @example
## tau = mean_dof_gamma_draw (2, 10);
## @end example
## @seealso{mean_dof_gamma_draws}
## @end deftypefn

%!test
%! s = rand ("state");
%! unwind_protect
%!   rand ("state", 41);
%!   a = mean_dof_gamma_draw (2, 5);
%!   rand ("state", 41);
%!   assert (mean_dof_gamma_draws (2, 5), a);
%!   rand ("state", 41);
%!   assert (mean_dof_gamma_draw ([2 3], [5 6]), a);
%! unwind_protect_cleanup
%!   rand ("state", s);
%! end_unwind_protect

%!error <Wrong number of input arguments\.> [a, b] = mean_dof_gamma_draw (1, 2, 3)
%!error <Too many output arguments\.> [a, b] = mean_dof_gamma_draw (1, 2)
%!error <s must not be empty\.> mean_dof_gamma_draw ([], 2)
