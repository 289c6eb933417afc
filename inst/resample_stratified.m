## -*- texinfo -*-
## @deftypefn  {} {@var{I} =} resample_stratified (@var{W})
## @deftypefnx {} {@var{I} =} resample_stratified (@var{W}, @var{M})
## @deftypefnx {} {@var{I} =} resample_stratified (@var{W}, @var{M}, @var{N})
## Stratified resampling of weighted particles.
##
## Returns an array of 1-based indices into @var{W}, stored as doubles.
##
## @var{W} holds the weights, non-negative and not necessarily normalised;
## a matrix is read as one long vector in storage order, and every index is a
## linear position of @var{W}.  With one argument the result has the shape
## of @var{W}.  @code{resample_stratified (W, M, N)} gives an @var{M} x @var{N}
## result, and @code{resample_stratified (W, M)} an @var{M} x @var{M} one, as
## @code{rand (M)} does: @code{resample_stratified (w, 1000)} is 1000 x 1000, and
## @code{p(idx)} then silently becomes a matrix.  For one index per
## particle, call @code{resample_stratified (w, numel (w), 1)}.  Sizes are truncated
## toward zero; the number of entries need not equal the number of weights.
##
## The cumulative expected counts, from 0 to @code{M * N}, are cut into
## unit strata, one per entry: entry @var{k} (0-based) takes its own uniform
## @var{U(k)} and the index of the first weight whose cumulative expected
## count reaches @code{k + U(k)}.  The result never decreases in storage
## order.
##
## Randomness: one call @code{rand (M, N)} before the result is made; entry
## @var{k} uses the @var{k}-th uniform (strata filled wholly by one weight do
## not consult theirs); seeding @code{rand} fixes the result.
##
## Ctrl-C stops a long call within milliseconds, with no result;
## @code{rand} and @code{randn} are then left as if the values the call had
## drawn so far had been drawn one call at a time.
##
## Errors: "Too many output arguments.", "Wrong number of input arguments.",
## "M must be a scalar." (for @var{M} and @var{N} alike), "Size arguments must
## be finite and non-negative, with fewer than 2^31 elements in all.", "Size
## arguments must not be empty.", "W must be a real double array.", "W must
## not be empty." and "W must hold finite non-negative weights with a positive
## sum.".  No entry is ever 0 or the index of a zero weight.
##
## @example
## particles = particles(resample_stratified (weights, numel (weights), 1));
## @end example
## @seealso{resample_multinomial, resample_residual, resample_systematic, resample_deterministic}
## @end deftypefn

%!test
%! s = rand ("state");
%! unwind_protect
%!   rand ("state", 3);
%!   assert (resample_stratified ([1 1 1 1]), [1 2 3 4]);
%!   y = resample_stratified (rand (1, 50), 1, 200);
%!   assert (all (diff (y) >= 0));
%!   assert (size (resample_stratified ([1 2], 0)), [0 0]);
%! unwind_protect_cleanup
%!   rand ("state", s);
%! end_unwind_protect

%!demo
%! ## Counts of 20 weights resampled into 200 slots: close to 200 * w
%! w = rand (1, 20);
%! counts = accumarray (resample_stratified (w, 200, 1), 1, [20 1]);
%! bar ([counts, 200 * w(:) / sum(w)]);
%! ylim ([0, 1.4 * max(counts)]);
%! legend ({"copies in resample_stratified (w, 200, 1)", "expected copies, 200 w / sum (w)"},
%!         "interpreter", "none");
%! xlabel ("weight index");
%! ylabel ("copies");

%!error <Too many output arguments\.> [a, b] = resample_stratified ()
%!error <Wrong number of input arguments\.> resample_stratified ()
%!error <Wrong number of input arguments\.> resample_stratified (1, 2, 3, 4)
%!error <M must be a scalar\.> resample_stratified ([1 2], [2 3])
%!error <M must be a scalar\.> resample_stratified ([1 2], 2, [1 2])
%!error <W must hold finite non-negative weights with a positive sum\.> resample_stratified ([0 0])
%!error <W must hold finite non-negative weights with a positive sum\.> resample_stratified ([1 -1 2])
%!error <W must not be empty\.> resample_stratified ([], 2)
