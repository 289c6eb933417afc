## -*- texinfo -*-
## @deftypefn  {} {@var{Y} =} simplex_weight_draws (@var{A})
## @deftypefnx {} {@var{Y} =} simplex_weight_draws (@var{A}, @var{B})
## Random points uniform on the probability simplex.
##
## Returns an @var{A} x @var{B} matrix (@var{B} defaults to 1) whose columns
## are independent points with @var{A} non-negative coordinates summing to 1,
## uniform on the simplex (Dirichlet with all parameters 1): each column
## holds the exponentials @code{-log (u)} of its own @var{A} uniforms divided
## by their sum.  @var{A} and @var{B} are truncated toward zero.
##
## Randomness: one call @code{rand (A, B)}; column @var{c} uses the uniforms
## at storage positions @code{(c-1)*A + 1} to @code{c*A}.  Seeding
## @code{rand} fixes the result.
##
## Ctrl-C stops a long call within milliseconds, with no result;
## @code{rand} and @code{randn} are then left as if the values the call had
## drawn so far had been drawn one call at a time.
##
## Threads: the work is shared by worker threads, as many as the environment
## variable @env{SAMPLEKIT_THREADS} says (a whole number from 1 to 1024) or,
## when it is unset or empty, as many as the cores Octave may run on (at most
## 64); small inputs stay on one thread.  The result is the same, bit for bit,
## for every thread count.  Every random value is drawn on the calling thread
## first, so seeding works as described above.  Any other value of the
## variable raises "SAMPLEKIT_THREADS must be a whole number from 1 to 1024,
## or unset.".
##
## Errors: "Too many output arguments.", "Wrong number of input arguments.",
## "First argument must be a scalar.", "Second argument must be a scalar.",
## "A must be a real number." (or B), "Size arguments must not be empty." and
## "Size arguments must be finite and non-negative, with fewer than 2^31
## elements in all.".
##
## @example
## w = simplex_weight_draws (5, 1000);   # 1000 random weight vectors
## @end example
## @seealso{bayes_boot_mean}
## @end deftypefn

%!test
%! s = rand ("state");
%! unwind_protect
%!   rand ("state", 12);
%!   y = simplex_weight_draws (3, 4);
%!   rand ("state", 12);
%!   assert (simplex_weight_draws (3, 4), y);
%!   assert (size (y), [3 4]);
%!   assert (all (y(:) > 0));
%!   assert (sum (y), ones (1, 4), 1e-15);
%!   assert (size (simplex_weight_draws (3)), [3 1]);
%!   assert (simplex_weight_draws (1, 5), ones (1, 5));
%!   assert (size (simplex_weight_draws (2.9)), [2 1]);
%!   assert (size (simplex_weight_draws (0, 3)), [0 3]);
%!   assert (size (simplex_weight_draws (3, 0)), [3 0]);
%! unwind_protect_cleanup
%!   rand ("state", s);
%! end_unwind_protect

%!demo
%! ## 2000 points on the 2-simplex, drawn in the plane x + y + z = 1
%! w = simplex_weight_draws (3, 2000);
%! plot (w(1, :) + w(2, :) / 2, w(2, :) * sqrt (3) / 2, ".");
%! axis equal;
%! xlabel ("w(1) + w(2) / 2");
%! ylabel ("w(2) sqrt(3) / 2");
%! title ("simplex_weight_draws (3, 2000): uniform on the triangle", "interpreter", "none");

%!error <Too many output arguments\.> [a, b] = simplex_weight_draws (1)
%!error <Wrong number of input arguments\.> simplex_weight_draws (1, 2, 3)
%!error <First argument must be a scalar\.> simplex_weight_draws ([1 2])
%!error <Second argument must be a scalar\.> simplex_weight_draws (2, [1; 2])
