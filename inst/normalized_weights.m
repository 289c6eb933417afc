## -*- texinfo -*-
## @deftypefn  {} {@var{W} =} normalized_weights (@var{logw})
## @deftypefnx {} {[@var{W}, @var{ess}, @var{logmean}] =} normalized_weights (@var{logw})
## Normalise log-weights without overflow or underflow.
##
## @var{logw} is a vector of log-weights (row or column: either is one
## weight set) or a matrix whose columns are separate weight sets.  For each
## set, with @code{m} its largest entry and @code{n} its length:
## @itemize
## @item @var{W} = @code{exp (logw - m) / sum (exp (logw - m))}, the same
## size as @var{logw}, each set summing to 1;
## @item @var{ess} = @code{1 / sum (W .^ 2)}, the effective sample size;
## @item @var{logmean} = @code{log (mean (exp (logw)))} =
## @code{m + log (sum (exp (logw - m)) / n)}, the log of the mean weight:
## in a particle filter or SMC sampler, the log evidence increment of the
## step.
## @end itemize
## @var{ess} and @var{logmean} have one element per set: a row of
## @code{columns (logw)} values for a matrix, a scalar for a vector.
## Shifting by @code{m} keeps every exponential in [0, 1], so weights such
## as @code{exp (-800)} or @code{exp (1000)} normalise correctly.
##
## A @code{-Inf} entry is a zero weight.  A @var{logw} with no elements has
## no weight set: @var{W} is empty of its size, @var{ess} and @var{logmean}
## are @code{zeros (1, 0)}.  No randomness is used.
##
## Errors: "Too many output arguments.", "Wrong number of input arguments.",
## "logw must be a real double array.", "logw must be a vector or a
## matrix." (more than two dimensions), "Column K of logw holds NaN or
## +Inf." and "Column K of logw is all -Inf: it has no positive weight."
## (K the first such set; a vector is column 1).
##
## @example
## logw = -0.5 * (y - x) .^ 2;             # log-likelihoods of particles x
## [w, ess, logmean] = normalized_weights (logw);
## loglik += logmean;                      # running log evidence
## idx = resample_systematic (w, numel (w), 1);
## @end example
## @seealso{resample_systematic, resample_stratified}
## @end deftypefn

%!test  # against the direct formulas, a row vector, a matrix and -Inf entries
%! cases = {[0.1 -2 3 0], [1; 2; 3], [0 1; -Inf 2; 3 -Inf], [-700 -710 -705]};
%! for k = 1:numel (cases)
%!   x = cases{k};
%!   if (isvector (x)) x = x(:); endif
%!   [w, ess, logmean] = normalized_weights (cases{k});
%!   direct = exp (x) ./ sum (exp (x));
%!   assert (w, reshape (direct, size (cases{k})), 1e-15);
%!   assert (ess, 1 ./ sum (direct .^ 2), 1e-13);
%!   assert (logmean, log (mean (exp (x))), 1e-13);
%! endfor

%!test  # no overflow or underflow where exp (logw) has it
%! [w, ess, logmean] = normalized_weights ([1000 1001 999]);
%! direct = exp ([1 2 0]) / sum (exp ([1 2 0]));
%! assert (w, direct, 1e-15);
%! assert (ess, 1 / sum (direct .^ 2), 1e-13);
%! assert (logmean, 1000 + log (mean (exp ([0 1 -1]))), 1e-12);
%! [w, ess, logmean] = normalized_weights ([-1e4; -1e4+1]);
%! assert (w, [1; e] / (1 + e), 1e-15);
%! assert (logmean, -1e4 + log ((1 + e) / 2), 1e-11);

%!test  # shapes: a vector is one set, empty input has none
%! [w, ess, logmean] = normalized_weights (zeros (3, 4));
%! assert ({w, ess, logmean}, {ones(3, 4) / 3, 3 * ones(1, 4), zeros(1, 4)});
%! [w, ess, logmean] = normalized_weights (zeros (0, 3));
%! assert ({size(w), size(ess), size(logmean)}, {[0 3], [1 0], [1 0]});
%! [w, ess] = normalized_weights ([0 -Inf]);
%! assert ({w, ess}, {[1 0], 1});

%!error <Too many output arguments\.> [a, b, c, d] = normalized_weights (1)
%!error <Wrong number of input arguments\.> normalized_weights (1, 2)
%!error <logw must be a real double array\.> normalized_weights (single (1))
%!error <logw must be a vector or a matrix\.> normalized_weights (zeros (2, 2, 2))
%!error <Column 2 of logw holds NaN or \+Inf\.> normalized_weights ([0 1; 0 NaN])
%!error <Column 1 of logw holds NaN or \+Inf\.> normalized_weights ([0 Inf 1])
%!error <Column 3 of logw is all -Inf: it has no positive weight\.> normalized_weights ([0 0 -Inf; 1 1 -Inf])
