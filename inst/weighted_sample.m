## -*- texinfo -*-
## @deftypefn  {} {@var{idx} =} weighted_sample (@var{w}, @var{K})
## @deftypefnx {} {@var{idx} =} weighted_sample (@var{w}, @var{K}, @var{M})
## Weighted sampling without replacement.
##
## @var{w} is a real double vector (row or column) of @var{N} non-negative
## finite weights, not necessarily normalised.  @var{idx} holds @var{K}
## distinct indices into @var{w}, stored as doubles, in the order drawn:
## the first is @var{i} with probability @code{w(i) / sum (w)}, and each
## next one is drawn the same way from the weights not drawn yet
## (successive sampling, or sampling proportional to size without
## replacement).  A zero weight is never drawn.  @var{K} is at most the
## number of positive weights; with @var{K} equal to it, @var{idx} holds
## every index of a positive weight.
##
## @code{weighted_sample (@var{w}, @var{K})} returns a 1 x @var{K} row;
## @code{weighted_sample (@var{w}, @var{K}, @var{M})} returns @var{K} x
## @var{M}, @var{M} independent samples, one per column.  @var{K} and
## @var{M} are counts (whole numbers @code{>= 0}), not sizes: there is no
## size-vector form.
##
## Method (Efraimidis and Spirakis 2006, in exponential form): element
## @var{i} with @code{w(i) > 0} gets the key @code{-log (u(i)) / w(i)}, an
## exponential variate of rate @code{w(i)}, and the sample is the @var{K}
## smallest keys in increasing order, equal keys to the smaller index.  The
## first of such exponential clocks to ring is clock @var{i} with
## probability @code{w(i) / sum (w)}, and the others then ring as if
## started afresh, which is the law above.  The @var{K} smallest are
## selected without a full sort, in O(@var{N} + @var{K} log @var{K}) per
## sample.
##
## Randomness and seeding: each sample takes one @code{rand} per element of
## @var{w}, in storage order, zero weights included and also when @var{K}
## is 0; samples in order.  These are the values of one call
## @code{rand (@var{N}, @var{M})} in storage order, so seeding @code{rand}
## fixes every bit of @var{idx}.  Octave's builtin @code{rand} hands them
## over inside the process; a @code{rand} of your own on the path sees one
## call @code{rand (@var{N}, @var{B})} for each block of @var{B} whole
## samples (about 131072 values), and a value outside [0, 1) from it is
## refused.
##
## Ctrl-C stops a long call within milliseconds, with no result;
## @code{rand} is then left as if the values the call had drawn so far
## had been drawn one call at a time.
##
## Errors, all raised before anything is drawn: "Too many output
## arguments.", "Wrong number of input arguments.", "w must be a real
## double array.", "w must be a vector.", "k must be a non-negative
## integer.", "m must be a non-negative integer.", "w must hold finite
## non-negative weights.", "k (K) exceeds the number of positive weights
## (P)." and "Size arguments must be finite and non-negative, with fewer
## than 2^31 elements in all." (@var{K} x @var{M} too large); and "The
## host's rand returned an unexpected result." from a @code{rand} of your
## own.
##
## @example
## ## a subsample of 100 of 10000 units, drawn with probability
## ## proportional to size, without replacement
## idx = weighted_sample (sizes, 100);
## @end example
## @seealso{categorical_draws, resample_multinomial}
## @end deftypefn

%!test  # shapes, all positive weights for K = their number, same bits for the same seed
%! state = rand ("state");
%! unwind_protect
%!   rand ("state", 3);
%!   w = [0 2 1 0 5 3];
%!   idx = weighted_sample (w, 4, 3);
%!   assert (size (idx), [4 3]);
%!   assert (sort (idx), repmat ([2; 3; 5; 6], 1, 3));
%!   rand ("state", 3);
%!   assert (weighted_sample (w, 4, 3), idx);
%!   assert (size (weighted_sample (w', 2)), [1 2]);
%!   assert (size (weighted_sample (w, 0)), [1 0]);
%!   assert (size (weighted_sample (w, 0, 2)), [0 2]);
%!   assert (size (weighted_sample (w, 2, 0)), [2 0]);
%!   assert (size (weighted_sample ([], 0)), [1 0]);
%!   assert (weighted_sample ([0 0 7], 1, 2), [3 3]);
%! unwind_protect_cleanup
%!   rand ("state", state);
%! end_unwind_protect

%!demo
%! ## the first index drawn follows w / sum (w); the later ones flatten
%! rand ("state", 1);
%! w = 1:10;
%! idx = weighted_sample (w, 5, 20000);
%! figure ();
%! bar ([histc(idx(1, :), 1:10); histc(idx(5, :), 1:10)]' / 20000);
%! legend ("first index drawn", "fifth index drawn");
%! xlabel ("index");  ylabel ("frequency");
%! title ("weighted\\_sample (1:10, 5)");

%!error <Too many output arguments\.> [a, b] = weighted_sample (1, 1)
%!error <Wrong number of input arguments\.> weighted_sample (1)
%!error <Wrong number of input arguments\.> weighted_sample (1, 1, 1, 1)
%!error <w must be a real double array\.> weighted_sample (int8 ([1 2]), 1)
%!error <w must be a vector\.> weighted_sample (ones (2, 2), 1)
%!error <w must be a vector\.> weighted_sample (ones (1, 1, 2), 1)
%!error <k must be a non-negative integer\.> weighted_sample ([1 2], 1.5)
%!error <k must be a non-negative integer\.> weighted_sample ([1 2], [])
%!error <m must be a non-negative integer\.> weighted_sample ([1 2], 1, NaN)
%!error <m must be a non-negative integer\.> weighted_sample ([1 2], 1, "a")
%!error <w must hold finite non-negative weights\.> weighted_sample ([1 -1], 1)
%!error <w must hold finite non-negative weights\.> weighted_sample ([1 Inf], 1)
%!error <k \(5\) exceeds the number of positive weights \(2\)\.> weighted_sample ([1 0 2], 5)
%!error <k \(1\) exceeds the number of positive weights \(0\)\.> weighted_sample ([], 1)
%!error <Size arguments must be finite and non-negative> weighted_sample ([1 2], 2, 2^31)
