## -*- texinfo -*-
## @deftypefn  {} {@var{Y} =} categorical_draws (@var{logp})
## @deftypefnx {} {@var{Y} =} categorical_draws (@var{logp}, @var{M})
## Draw category indices from unnormalised log-probabilities, column by column.
##
## @var{logp} is a real double @var{K} x @var{N} matrix: column @var{j}
## holds the log-probabilities of @var{K} categories up to a constant,
## such as the log-likelihoods plus log-weights of the @var{K} components
## of a mixture for observation @var{j}.  A vector, row or column, is one
## set of @code{numel (@var{logp})} categories (as in
## @code{normalized_weights}).  @code{-Inf} is probability zero.
##
## @var{Y} is a 1 x @var{N} row of indices in 1..@var{K}, stored as
## doubles: @code{@var{Y}(@var{j})} is drawn with probability proportional
## to @code{exp (@var{logp}(:, @var{j}))}.  With @var{M}, @var{Y} is
## @var{M} x @var{N}, column @var{j} holding @var{M} independent draws from
## column @var{j}.  @var{M} is a count of draws per column, a whole number
## @code{>= 0}, and not a size: @var{logp} fixes the columns, so there is no
## @code{[@var{M} @var{N}]} form.  An empty @var{logp} holds no column and
## gives @code{zeros (1, 0)} (@code{zeros (@var{M}, 0)} with @var{M}).
##
## Method: for column @var{j}, with @var{m} its largest entry,
## @code{w(k) = exp (logp(k) - m)} in row order and @code{C(k)} their
## running sums from the first row; a draw takes one uniform @var{u} and
## returns the first @var{k} with @code{C(k) > u * C(K)}, or, where
## rounding leaves no such @var{k}, the last @var{k} with @code{w(k) > 0}.
## Shifting by @var{m} makes the largest weight 1, so columns that differ
## by 1e300 or hold @code{-Inf} draw correctly, and a category whose weight
## is zero (@code{-Inf}, or @code{exp} underflowing) is never drawn.  For
## speed the running sums are first formed with a faster exponential whose
## error is bounded, and a draw is taken from them only where that error
## cannot change it; every other draw comes from the sums above, so the
## result is always that of this rule with @code{exp}.
##
## Randomness and seeding: one @code{rand} per draw, column after column,
## the @var{M} draws of column @var{j} before those of column @var{j} + 1:
## exactly the values of one call @code{rand (@var{M}, @var{N})} in storage
## order, so seeding @code{rand} fixes every bit of @var{Y}, whatever the
## number of threads (@env{SAMPLEKIT_THREADS}).  Octave's builtin
## @code{rand} hands the values over inside the process; a @code{rand} of
## your own on the path sees that one call.
##
## Ctrl-C stops a long call within milliseconds, with no result;
## @code{rand} is then left as if the values the call had drawn so far
## had been drawn one call at a time.
##
## Errors, all raised before anything is drawn: "Too many output
## arguments.", "Wrong number of input arguments.", "logp must be a real
## double array.", "logp must be a vector or a matrix." (more than two
## dimensions), "m must be a non-negative integer.", "Size arguments must
## be finite and non-negative, with fewer than 2^31 elements in all."
## (@var{M} x @var{N} too large), "Column J of logp holds NaN or +Inf." and
## "Column J of logp is all -Inf: it has no positive weight." (J the first
## such column; a vector is column 1); and "The host's rand returned an
## unexpected result." from a @code{rand} of your own whose values are not
## all in [0, 1).
##
## @example
## ## the allocation step of a Gibbs sampler for a K-component mixture
## logp = log (pi_k(:)) + loglik;     # K x N: log weight + log-likelihood
## z = categorical_draws (logp);      # 1 x N allocations
## @end example
## @seealso{normalized_weights, weighted_sample, resample_multinomial}
## @end deftypefn

%!test  # shapes, and the same bits for the same seed
%! state = rand ("state");
%! unwind_protect
%!   rand ("state", 7);
%!   logp = [0 -Inf; log(2) 0; -3 1];
%!   y = categorical_draws (logp, 4);
%!   assert (size (y), [4 2]);
%!   assert (all (y(:, 2) > 1));                 # never the -Inf category
%!   rand ("state", 7);
%!   assert (categorical_draws (logp, 4), y);
%!   assert (size (categorical_draws (logp)), [1 2]);
%!   assert (size (categorical_draws ([0 1 2])), [1 1]);
%!   assert (size (categorical_draws ([0; 1; 2], 3)), [3 1]);
%!   assert (size (categorical_draws (logp, 0)), [0 2]);
%!   assert (size (categorical_draws (zeros (0, 3))), [1 0]);
%!   assert (size (categorical_draws (zeros (4, 0), 5)), [5 0]);
%!   assert (categorical_draws ([-Inf 7 -Inf], 5), 2 * ones (5, 1));
%! unwind_protect_cleanup
%!   rand ("state", state);
%! end_unwind_protect

%!demo
%! ## allocations of 2000 observations to a two-component mixture
%! rand ("state", 1); randn ("state", 1);
%! x = [randn(1, 1000) - 2, randn(1, 1000) + 2];
%! logp = [log(0.5) - (x + 2) .^ 2 / 2; log(0.5) - (x - 2) .^ 2 / 2];
%! z = categorical_draws (logp);
%! figure ();
%! plot (x, z + 0.1 * randn (size (z)), ".");
%! xlabel ("x");  ylabel ("allocated component (jittered)");
%! title ("categorical\\_draws: mixture allocations");

%!error <Too many output arguments\.> [a, b] = categorical_draws (1)
%!error <Wrong number of input arguments\.> categorical_draws ()
%!error <Wrong number of input arguments\.> categorical_draws (1, 2, 3)
%!error <logp must be a real double array\.> categorical_draws (single ([0 1]))
%!error <logp must be a real double array\.> categorical_draws ([0 1i])
%!error <logp must be a vector or a matrix\.> categorical_draws (zeros (2, 2, 2))
%!error <m must be a non-negative integer\.> categorical_draws ([0 1], 2.5)
%!error <m must be a non-negative integer\.> categorical_draws ([0 1], [1 2])
%!error <m must be a non-negative integer\.> categorical_draws ([0 1], Inf)
%!error <m must be a non-negative integer\.> categorical_draws ([0 1], {1})
%!error <Size arguments must be finite and non-negative> categorical_draws (zeros (2, 3), 2^30)
%!error <Column 2 of logp holds NaN or \+Inf\.> categorical_draws ([0 1; 0 NaN])
%!error <Column 1 of logp holds NaN or \+Inf\.> categorical_draws ([0 Inf 1])
%!error <Column 3 of logp is all -Inf: it has no positive weight\.> categorical_draws ([0 0 -Inf; 1 1 -Inf])
