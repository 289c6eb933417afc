## -*- texinfo -*-
## @deftypefn  {} {@var{R} =} bayes_boot_percentiles (@var{X}, @var{P})
## @deftypefnx {} {@var{R} =} bayes_boot_percentiles (@var{X}, @var{P}, @var{B})
## @deftypefnx {} {@var{R} =} bayes_boot_percentiles (@var{X}, @var{P}, @var{B}, @var{W})
## Bayesian bootstrap replicates of percentiles of a sample.
##
## @strong{@var{X} must be passed sorted in ascending order}, as a column of
## @var{n} >= 2 values: the function does not sort it, and values passed in
## another order are interpolated in the order given, which gives wrong
## percentiles without an error.  Call
## @code{bayes_boot_percentiles (sort (x(:)), P, B)}.
##
## @var{P} holds the percentiles in percent as a vector: 50 is the median,
## and 0.5 is the 0.5th percentile, not the median.  A percentile above 100,
## or NaN, gives 0 in its column.  The columns of the @var{B} x
## @code{numel (P)} result follow ascending @var{P}, whatever its order.
## @var{B} defaults to 1, one replicate; ask for the number you need.
##
## Each of the @var{B} replicates draws Dirichlet(1, @dots{}, 1)
## weights @var{w} on the sample values and forms the cumulative weights
## @code{U(j) = w(1) + @dots{} + w(j)}, the last one exactly 1.  Interpolation
## rule: a level @code{q = P/100} takes the first row @var{j} with
## @code{U(j) >= q} and is placed on the straight line from
## @code{(U(j-1), X(j-1))} to @code{(U(j), X(j))}; levels at or below
## @code{U(1)} (including 0 and negative percentiles) take @code{X(1)}.
## 100 is always reached; a level above it, or NaN, never is, so its column
## keeps the 0 it started with.
##
## Prior weights @var{W} (a column of @var{n} values) multiply each
## exponential draw @code{-log (u(j))} before the normalisation, so row
## @var{j}'s weight has mean proportional to @code{W(j)}; a zero prior weight
## gives its row no weight.
##
## Randomness: the values of one call @code{rand (n, 1)} per replicate, in
## replicate order; seeding @code{rand} fixes the result.  Octave's builtin
## @code{rand} hands over several replicates' values in one
## @code{rand (n, k)} call, which gives the same values and leaves the
## generator in the same state; a @code{rand} of your own on the path sees
## one call per replicate.  @var{P} is sorted with Octave's
## @code{sort}.
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
## "P must be a vector.", "B must be a scalar.", "W must be a column
## vector.", "W must be a same size as X.", "X must have at least two
## rows.", "X must not be empty." (rows but no column), "P must be a real
## double array." (likewise X, W), "B must be a real number.", the size
## messages, and "The host's sort returned an unexpected result.".
##
## @example
## x = sort (randn (500, 1));
## R = bayes_boot_percentiles (x, [2.5 50 97.5], 2000);
## @end example
## @seealso{bayes_boot_mean}
## @end deftypefn

%!test
%! s = rand ("state");
%! unwind_protect
%!   rand ("state", 10);
%!   x = (1:20)';
%!   a = bayes_boot_percentiles (x, [90 10], 6);
%!   rand ("state", 10);
%!   assert (bayes_boot_percentiles (x, [90 10], 6), a);
%!   assert (size (a), [6 2]);
%!   assert (all (a(:, 1) < a(:, 2)));        # the 10th comes first
%!   r = bayes_boot_percentiles (x, [0 -5 100 150 NaN], 4);
%!   assert (r(:, 1:2), ones (4, 2));
%!   assert (r(:, 3), 20 * ones (4, 1));
%!   assert (r(:, 4:5), zeros (4, 2));
%!   assert (size (bayes_boot_percentiles (x, [], 3)), [3 0]);
%!   assert (size (bayes_boot_percentiles (x, 50, 0.5)), [0 1]);
%! unwind_protect_cleanup
%!   rand ("state", s);
%! end_unwind_protect

%!error <Too many output arguments\.> [a, b] = bayes_boot_percentiles ()
%!error <Wrong number of input arguments\.> bayes_boot_percentiles (1)
%!error <P must be a vector\.> bayes_boot_percentiles ([1; 2], ones (2))
%!error <B must be a scalar\.> bayes_boot_percentiles ([1; 2], 50, [1 2])
%!error <W must be a column vector\.> bayes_boot_percentiles ([1; 2], 50, 1, [1 1])
%!error <W must be a same size as X\.> bayes_boot_percentiles ([1; 2], 50, 1, [1; 1; 1])
%!error <X must have at least two rows\.> bayes_boot_percentiles (1, 50)
