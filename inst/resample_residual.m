## -*- texinfo -*-
## @deftypefn  {} {@var{I} =} resample_residual (@var{W})
## @deftypefnx {} {@var{I} =} resample_residual (@var{W}, @var{M})
## @deftypefnx {} {@var{I} =} resample_residual (@var{W}, @var{M}, @var{N})
## Residual resampling of weighted particles.
##
## Returns an array of 1-based indices into @var{W}, stored as doubles.
##
## @var{W} holds the weights, non-negative and not necessarily normalised;
## a matrix is read as one long vector in storage order, and every index is a
## linear position of @var{W}.  With one argument the result has the shape
## of @var{W}.  @code{resample_residual (W, M, N)} gives an @var{M} x @var{N}
## result, and @code{resample_residual (W, M)} an @var{M} x @var{M} one, as
## @code{rand (M)} does: @code{resample_residual (w, 1000)} is 1000 x 1000, and
## @code{p(idx)} then silently becomes a matrix.  For one index per
## particle, call @code{resample_residual (w, numel (w), 1)}.  Sizes are truncated
## toward zero; the number of entries need not equal the number of weights.
##
## Index @var{i} first receives @code{floor (e(i))} copies of its expected
## count @code{e(i) = W(i) / sum (W) * M * N}; these whole copies fill the
## first entries in ascending index order.  The @var{R} entries left are
## multinomial draws from the fractional remainders @code{e(i) - floor (e(i))},
## in the order of their uniforms.
##
## Randomness: one call @code{rand (R, 1)} after the whole copies, made also
## when @var{R} is 0; seeding @code{rand} fixes the result.
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
## particles = particles(resample_residual (weights, numel (weights), 1));
## @end example
## @seealso{resample_multinomial, resample_stratified, resample_systematic, resample_deterministic}
## @end deftypefn

%!test
%! s = rand ("state");
%! unwind_protect
%!   rand ("state", 2);
%!   assert (resample_residual ([1 1 1 1]), [1 2 3 4]);
%!   assert (resample_residual ([0.5 0.25 0.25], 4, 1), [1; 1; 2; 3]);
%!   y = resample_residual ([5 2 1], 1, 4);
%!   assert (y(1:3), [1 1 2]);
%!   assert (any (y(4) == [1 3]));
%!   assert (size (resample_residual ([1 2 3], 3)), [3 3]);
%! unwind_protect_cleanup
%!   rand ("state", s);
%! end_unwind_protect

%!error <Too many output arguments\.> [a, b] = resample_residual ()
%!error <Wrong number of input arguments\.> resample_residual ()
%!error <Wrong number of input arguments\.> resample_residual (1, 2, 3, 4)
%!error <M must be a scalar\.> resample_residual ([1 2], [2 3])
%!error <M must be a scalar\.> resample_residual ([1 2], 2, [1 2])
%!error <W must hold finite non-negative weights with a positive sum\.> resample_residual ([0 0])
%!error <W must hold finite non-negative weights with a positive sum\.> resample_residual ([1 -1 2])
%!error <W must not be empty\.> resample_residual ([], 2)
