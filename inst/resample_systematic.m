## -*- texinfo -*-
## @deftypefn  {} {@var{I} =} resample_systematic (@var{W})
## @deftypefnx {} {@var{I} =} resample_systematic (@var{W}, @var{M})
## @deftypefnx {} {@var{I} =} resample_systematic (@var{W}, @var{M}, @var{N})
## Systematic resampling of weighted particles.
##
## Returns an array of 1-based indices into @var{W}, stored as doubles.
##
## @var{W} holds the weights, non-negative and not necessarily normalised;
## a matrix is read as one long vector in storage order, and every index is a
## linear position of @var{W}.  With one argument the result has the shape
## of @var{W}.  @code{resample_systematic (W, M, N)} gives an @var{M} x @var{N}
## result, and @code{resample_systematic (W, M)} an @var{M} x @var{M} one, as
## @code{rand (M)} does: @code{resample_systematic (w, 1000)} is 1000 x 1000, and
## @code{p(idx)} then silently becomes a matrix.  For one index per
## particle, call @code{resample_systematic (w, numel (w), 1)}.  Sizes are truncated
## toward zero; the number of entries need not equal the number of weights.
##
## One uniform @var{U} serves the whole call: slot @var{k} (0-based, storage
## order) takes the index of the first weight whose cumulative expected
## count @code{e(1) + @dots{} + e(i)}, @code{e(i) = W(i) / sum (W) * M * N},
## reaches @code{k + U}.  Every index thus receives @code{floor (e(i))} or
## @code{ceil (e(i))} copies and the result never decreases: of the
## randomised schemes this one spreads the counts least.  The walk is that
## of @code{resample_deterministic} with its carry starting at @code{1 - U},
## so @code{U = 0.5} gives exactly the deterministic result.
##
## Randomness: one call @code{rand (1, 1)}, made for every call (an empty
## result too); seeding @code{rand} fixes the result.  A @var{U} outside
## [0, 1) from a @code{rand} of your own is refused.
##
## Ctrl-C stops a long call within milliseconds, with no result;
## @code{rand} and @code{randn} are then left as if the values the call had
## drawn so far had been drawn one call at a time.
##
## Errors: "Too many output arguments.", "Wrong number of input arguments.",
## "M must be a scalar.", "N must be a scalar.", "Size arguments must be
## finite and non-negative, with fewer than 2^31 elements in all.", "Size
## arguments must not be empty.", "W must be a real double array.", "W must
## have at most two dimensions.", "W must not be empty.", "W must hold
## finite non-negative weights with a positive sum." and "The host's rand
## returned an unexpected result.".  Finite weights whose sum exceeds the
## largest double are scaled by 2^-32 before the sweep.  No entry is
## ever 0, and with @var{U} above 0 none is the index of a zero weight.
##
## @example
## particles = particles(resample_systematic (weights, numel (weights), 1));
## @end example
## @seealso{resample_deterministic, resample_stratified, resample_residual, resample_multinomial}
## @end deftypefn

%!test
%! s = rand ("state");
%! unwind_protect
%!   w = [0.1 0.5 0.05 0.35];
%!   rand ("state", 3);
%!   a = resample_systematic (w, 1, 20);
%!   rand ("state", 3);
%!   assert (resample_systematic (w, 1, 20), a);
%!   e = w / sum (w) * 20;
%!   counts = accumarray (a(:), 1, [4 1])';
%!   assert (all (counts == floor (e) | counts == ceil (e)));
%!   assert (all (diff (a) >= 0));
%!   assert (size (resample_systematic (ones (2, 3))), [2 3]);
%!   assert (size (resample_systematic ([1 2], 0)), [0 0]);
%! unwind_protect_cleanup
%!   rand ("state", s);
%! end_unwind_protect

%!error <Too many output arguments\.> [a, b] = resample_systematic (1)
%!error <Wrong number of input arguments\.> resample_systematic ()
%!error <Wrong number of input arguments\.> resample_systematic (1, 2, 3, 4)
%!error <M must be a scalar\.> resample_systematic ([1 2], [2 3])
%!error <W must hold finite non-negative weights with a positive sum\.> resample_systematic ([0 0])
%!error <W must be a real double array\.> resample_systematic (int8 ([1 2]))
%!error <W must not be empty\.> resample_systematic ([], 2)

%!demo
%! ## 37 indices from five weights.  The expected counts 37 * w are not whole
%! ## numbers: systematic resampling gives each weight the whole number just
%! ## below or just above its expected count, multinomial strays further.
%! w = [0.05 0.3 0.1 0.4 0.15];
%! systematic = accumarray (resample_systematic (w, 37, 1), 1, [5 1])';
%! multinomial = accumarray (resample_multinomial (w, 37, 1), 1, [5 1])';
%! printf ("expected count    %s\n", sprintf ("%7.2f", 37 * w));
%! printf ("systematic        %s\n", sprintf ("%7d", systematic));
%! printf ("multinomial       %s\n", sprintf ("%7d", multinomial));
