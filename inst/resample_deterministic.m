## -*- texinfo -*-
## @deftypefn  {} {@var{I} =} resample_deterministic (@var{W})
## @deftypefnx {} {@var{I} =} resample_deterministic (@var{W}, @var{M})
## @deftypefnx {} {@var{I} =} resample_deterministic (@var{W}, @var{M}, @var{N})
## Deterministic resampling of weighted particles.
##
## Returns an array of 1-based indices into @var{W}, stored as doubles.
##
## @var{W} holds the weights, non-negative and not necessarily normalised;
## a matrix is read as one long vector in storage order, and every index is a
## linear position of @var{W}.  With one argument the result has the shape
## of @var{W}.  @code{resample_deterministic (W, M, N)} gives an @var{M} x @var{N}
## result, and @code{resample_deterministic (W, M)} an @var{M} x @var{M} one, as
## @code{rand (M)} does: @code{resample_deterministic (w, 1000)} is 1000 x 1000, and
## @code{p(idx)} then silently becomes a matrix.  For one index per
## particle, call @code{resample_deterministic (w, numel (w), 1)}.  Sizes are truncated
## toward zero; the number of entries need not equal the number of weights.
##
## Index @var{i} receives @code{floor (e(i))} copies of its expected count
## @code{e(i) = W(i) / sum (W) * M * N}; the fractional parts gather in a
## carry that starts at 0.5, and each time it reaches 1 the weight that made
## it do so receives one more copy.  Every index thus receives
## @code{floor (e(i))} or @code{ceil (e(i))} copies, and the result never
## decreases.  This is systematic resampling with the offset fixed at 0.5.
##
## No randomness: the result depends on @var{W}, @var{M} and @var{N} alone,
## and Octave's generators are left untouched.
##
## Ctrl-C stops a long call within milliseconds, with no result.
##
## Errors: "Too many output arguments.", "Wrong number of input arguments.",
## "M must be a scalar." (for @var{M} and @var{N} alike), "Size arguments must
## be finite and non-negative, with fewer than 2^31 elements in all.", "Size
## arguments must not be empty.", "W must be a real double array.", "W must
## not be empty." and "W must hold finite non-negative weights with a positive
## sum.".  No entry is ever 0 or the index of a zero weight.
##
## @example
## particles = particles(resample_deterministic (weights, numel (weights), 1));
## @end example
## @seealso{resample_multinomial, resample_residual, resample_stratified, resample_systematic}
## @end deftypefn

%!test
%! assert (resample_deterministic ([1 1 1 1]), [1 2 3 4]);
%! assert (resample_deterministic ([1 1 1], 1, 2), [1 3]);
%! assert (resample_deterministic ([0.2 0.8], 1), 2);
%! assert (resample_deterministic ([0.6 0.4], 1), 1);
%! assert (resample_deterministic ([1 1], 1), 1);
%! assert (resample_deterministic ([3 1], 1, 4), [1 1 1 2]);
%! assert (size (resample_deterministic ([1 2], 0)), [0 0]);

%!error <Too many output arguments\.> [a, b] = resample_deterministic ()
%!error <Wrong number of input arguments\.> resample_deterministic ()
%!error <Wrong number of input arguments\.> resample_deterministic (1, 2, 3, 4)
%!error <M must be a scalar\.> resample_deterministic ([1 2], [2 3])
%!error <M must be a scalar\.> resample_deterministic ([1 2], 2, [1 2])
%!error <W must hold finite non-negative weights with a positive sum\.> resample_deterministic ([0 0])
%!error <W must hold finite non-negative weights with a positive sum\.> resample_deterministic ([1 -1 2])
%!error <W must not be empty\.> resample_deterministic ([], 2)
