## -*- texinfo -*-
## @deftypefn  {} {@var{I} =} resample_multinomial (@var{W})
## @deftypefnx {} {@var{I} =} resample_multinomial (@var{W}, @var{M})
## @deftypefnx {} {@var{I} =} resample_multinomial (@var{W}, @var{M}, @var{N})
## Multinomial resampling of weighted particles.
##
## Returns an array of 1-based indices into @var{W}, stored as doubles.
##
## @var{W} holds the weights, non-negative and not necessarily normalised;
## a matrix is read as one long vector in storage order, and every index is a
## linear position of @var{W}.  With one argument the result has the shape
## of @var{W}.  @code{resample_multinomial (W, M, N)} gives an @var{M} x @var{N}
## result, and @code{resample_multinomial (W, M)} an @var{M} x @var{M} one, as
## @code{rand (M)} does: @code{resample_multinomial (w, 1000)} is 1000 x 1000, and
## @code{p(idx)} then silently becomes a matrix.  For one index per
## particle, call @code{resample_multinomial (w, numel (w), 1)}.  Sizes are truncated
## toward zero; the number of entries need not equal the number of weights.
##
## Every entry is an independent draw: index @var{i} with probability
## @code{W(i) / sum (W)}.  The normalised cumulative weights are searched for
## the first one that reaches the entry's uniform.
##
## Randomness: one call @code{rand (M, N)}; entry @var{k} uses the @var{k}-th
## uniform in storage order, so seeding @code{rand} fixes the result.
##
## Ctrl-C stops a long call within milliseconds, with no result;
## @code{rand} and @code{randn} are then left as if the values the call had
## drawn so far had been drawn one call at a time.
##
## Threads: the searches are shared by worker threads, as many as the
## environment variable @env{SAMPLEKIT_THREADS} says (a whole number from 1
## to 1024) or, when it is unset or empty, as many as the cores Octave may
## run on (at most 64); small outputs stay on one thread.  The result is the
## same, bit for bit, for every thread count, and every uniform is drawn on
## the calling thread first.  Any other value of the variable raises
## "SAMPLEKIT_THREADS must be a whole number from 1 to 1024, or unset.".
##
## Errors: "Too many output arguments.", "Wrong number of input arguments.",
## "M must be a scalar." (for @var{M} and @var{N} alike), "Size arguments must
## be finite and non-negative, with fewer than 2^31 elements in all.", "Size
## arguments must not be empty.", "W must be a real double array.", "W must
## not be empty." and "W must hold finite non-negative weights with a positive
## sum.".  No entry is ever 0 or the index of a zero weight.
##
## @example
## particles = particles(resample_multinomial (weights, numel (weights), 1));
## @end example
## @seealso{resample_residual, resample_stratified, resample_systematic, resample_deterministic}
## @end deftypefn

%!test
%! s = rand ("state");
%! unwind_protect
%!   rand ("state", 1);
%!   a = resample_multinomial ([2 1 1], 2, 5);
%!   rand ("state", 1);
%!   assert (resample_multinomial ([2 1 1], 2, 5), a);
%!   assert (size (a), [2 5]);
%!   assert (all (ismember (a(:), 1:3)));
%!   assert (resample_multinomial ([1 0 0], 3), ones (3));
%!   assert (resample_multinomial ([0 0 1], 1, 4), 3 * ones (1, 4));
%!   assert (all (resample_multinomial ([1 0 1], 1, 100) != 2));
%!   assert (resample_multinomial (5), 1);
%!   assert (size (resample_multinomial (ones (2, 3))), [2 3]);
%!   assert (size (resample_multinomial ([1 2], 2.9, 3.7)), [2 3]);
%!   assert (size (resample_multinomial ([1 2], 0)), [0 0]);
%! unwind_protect_cleanup
%!   rand ("state", s);
%! end_unwind_protect

%!error <Too many output arguments\.> [a, b] = resample_multinomial ()
%!error <Wrong number of input arguments\.> resample_multinomial ()
%!error <Wrong number of input arguments\.> resample_multinomial (1, 2, 3, 4)
%!error <M must be a scalar\.> resample_multinomial ([1 2], [2 3])
%!error <M must be a scalar\.> resample_multinomial ([1 2], 2, [1 2])
%!error <W must hold finite non-negative weights with a positive sum\.> resample_multinomial ([0 0])
%!error <W must hold finite non-negative weights with a positive sum\.> resample_multinomial ([1 -1 2])
%!error <W must not be empty\.> resample_multinomial ([], 2)
