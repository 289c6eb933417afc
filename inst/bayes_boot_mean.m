## -*- texinfo -*-
## @deftypefn  {} {@var{R} =} bayes_boot_mean (@var{X})
## @deftypefnx {} {@var{R} =} bayes_boot_mean (@var{X}, @var{B})
## @deftypefnx {} {@var{R} =} bayes_boot_mean (@var{X}, @var{B}, @var{W})
## Bayesian bootstrap replicates of the column means of @var{X}.
##
## @var{X} is an @var{n} x @var{d} data matrix (rows are observations).  A
## row vector is therefore one observation of @var{d} variables, and every
## replicate returns it unchanged: for the mean of values held in a row
## vector @code{x}, call @code{bayes_boot_mean (x(:), B)}.  @var{B} defaults to 1,
## one replicate; ask for the number you need.
##
## Each of the @var{B} replicates draws a weight vector @var{w}
## on the @var{n} rows, uniform on the probability simplex, and row @var{i}
## of the @var{B} x @var{d} result @var{R} is the weighted mean
## @code{sum_j X(j,:) * w(j)} for replicate @var{i}.
##
## The weights are Dirichlet(1, @dots{}, 1): @var{n} uniforms @var{u} become
## @code{e = -log (u)}, divided by their sum.  With prior weights @var{W}
## (a column of @var{n} values), each exponential draw is multiplied by its
## @code{W(j)} before the normalisation, so row @var{j} enters with mean
## weight proportional to @code{W(j)} (Dirichlet-type weights with a
## non-uniform prior).  @var{B} is truncated toward zero; 0 replicates give a
## 0 x @var{d} result.
##
## Randomness: the values of one call @code{rand (n, 1)} per replicate, in
## replicate order; seeding @code{rand} fixes the result.  Octave's builtin
## @code{rand} hands over several replicates' values in one
## @code{rand (n, k)} call, which gives the same values and leaves the
## generator in the same state; a @code{rand} of your own on the path sees
## one call per replicate.
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
## "B must be a scalar.", "W must be a column vector.", "W must have same
## length as X.", "B must be a real number.", "Size arguments must not be
## empty.", "Size arguments must be finite and non-negative, with fewer than
## 2^31 elements in all.", "X must be a real double array." and "W must be a
## real double array.".
##
## @example
## x = randn (200, 2);
## R = bayes_boot_mean (x, 1000);
## ci = quantile (R, [0.025 0.975]);    # interval for each column mean
## @end example
## @seealso{bayes_boot_percentiles, simplex_weight_draws}
## @end deftypefn

%!test
%! s = rand ("state");
%! unwind_protect
%!   rand ("state", 9);
%!   x = [1 10; 2 20; 4 40];
%!   a = bayes_boot_mean (x, 5);
%!   rand ("state", 9);
%!   assert (bayes_boot_mean (x, 5), a);
%!   assert (size (a), [5 2]);
%!   assert (a(:, 2), 10 * a(:, 1), 1e-12);
%!   assert (all (a(:, 1) > 1 & a(:, 1) < 4));
%!   assert (size (bayes_boot_mean (x)), [1 2]);
%!   assert (size (bayes_boot_mean (x, 2.9)), [2 2]);
%!   assert (size (bayes_boot_mean (x, -0.5)), [0 2]);
%!   assert (bayes_boot_mean ([3 7], 4), repmat ([3 7], 4, 1));
%!   assert (bayes_boot_mean (zeros (0, 2), 3), zeros (3, 2));
%! unwind_protect_cleanup
%!   rand ("state", s);
%! end_unwind_protect

%!demo
%! ## The Bayesian bootstrap distribution of a mean
%! x = randn (50, 1) + 2;
%! hist (bayes_boot_mean (x, 2000), 40);
%! title ("bayes_boot_mean (x, 2000): 2000 replicates of the mean of x", "interpreter", "none");
%! xlabel ("replicate of the mean");
%! ylabel ("replicates");

%!error <Too many output arguments\.> [a, b] = bayes_boot_mean ()
%!error <Wrong number of input arguments\.> bayes_boot_mean ()
%!error <Wrong number of input arguments\.> bayes_boot_mean (1, 2, 3, 4)
%!error <B must be a scalar\.> bayes_boot_mean (1, [1 2])
%!error <W must be a column vector\.> bayes_boot_mean ([1; 2], 1, [1 1])
%!error <W must have same length as X\.> bayes_boot_mean ([1; 2], 1, [1; 1; 1])
