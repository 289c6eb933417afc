## -*- texinfo -*-
## @deftypefn  {} {@var{S} =} mcmc_summary (@var{X})
## @deftypefnx {} {@var{S} =} mcmc_summary (@var{X}, @var{names})
## @deftypefnx {} {} mcmc_summary (@dots{})
## Summary statistics and convergence diagnostics of MCMC draws.
##
## @var{X} is a real double array of iterations x chains x variables: a
## column is one chain of one variable, a matrix is the chains of one
## variable.  @var{names} is a cell array of one string per variable (or
## one string for one variable); without it the variables are named
## @code{x[1]}, @code{x[2]}, @dots{}
##
## @var{S} is a 1 x P struct array, one element per variable, with the
## fields @code{names}, @code{mean}, @code{median}, @code{sd}, @code{mad}
## (scaled by 1.4826), @code{q5} and @code{q95} (R's default quantiles,
## type 7), @code{rhat}, @code{ess_bulk}, @code{ess_tail} and
## @code{mcse_mean}.  With no output, it prints one aligned row per
## variable instead and marks with @code{*} every row whose R-hat is above
## 1.01 or whose bulk or tail ESS is below 100 per chain (400 for four
## chains): the thresholds that Vehtari et al. recommend before the
## estimates are trusted.
##
## The diagnostics are those of Vehtari, Gelman, Simpson, Carpenter and
## Bürkner (2021), "Rank-normalization, folding, and localization: an
## improved R-hat for assessing convergence of MCMC", Bayesian Analysis
## 16(2), as R's posterior package (1.4) computes them:
##
## @itemize
## @item Each chain is split into halves; of an odd length the middle
## iteration is left out.  One chain thus gives two.
## @item The split draws are replaced by the normal scores of their ranks,
## @code{norminv ((r - 3/8) / (S + 1/4))} with ties given their average
## rank, S the number of split draws.  @code{rhat} is the larger of the
## split R-hat of these scores and of the scores of the draws' distances
## from their median (folding: it catches chains that differ in spread).
## @item @code{ess_bulk} is the effective sample size of the scores;
## @code{ess_tail} the smaller of the ESS of the indicators
## @code{x <= q5} and @code{x <= q95}; @code{mcse_mean} is @code{sd} over
## the square root of the ESS of the split draws themselves.
## @item The ESS comes from the autocovariances of the split chains and
## Geyer's initial monotone sequence, its lags summed while pairs of
## autocorrelations stay positive (never into the last five lags), and it is
## at most S log10 (S).
## @end itemize
##
## What comes out NaN: every field of a variable with a NaN draw; every
## diagnostic of a variable with fewer than four iterations per chain (by
## design: the split chains would hold one draw); the ESS of split chains
## shorter than three iterations (four or five iterations per chain give an
## R-hat but no ESS); every diagnostic of a variable whose draws are all
## equal; the tail ESS and @code{mcse_mean} of a variable whose range is
## below @code{eps} (an absolute tolerance, as in posterior) or that has an
## infinite draw (its R-hat and bulk ESS come from ranks, which stay
## finite; its @code{sd} is NaN); and @code{rhat} when the distances from the
## median are all equal.
##
## No randomness is involved.  Threads: the variables are shared by worker
## threads, as many as the environment variable @env{SAMPLEKIT_THREADS} says
## (a whole number from 1 to 1024) or, when it is unset or empty, as many as
## the cores Octave may run on (at most 64); few draws stay on one thread,
## and a variable of more than 65536 draws is summarised on the calling
## thread alone.  The result is the same, bit for bit, for every thread
## count.  Any other value of the variable raises "SAMPLEKIT_THREADS must be
## a whole number from 1 to 1024, or unset.".  Working memory: about 100
## bytes per draw of one variable, for each thread.  Ctrl-C interrupts a
## long call.
##
## Errors: "Wrong number of input arguments.", "Too many output
## arguments.", "X must be a real double array.", "X must be iterations x
## chains x variables: at most three dimensions.", "X must have fewer than
## 2^31 draws of each variable, and fewer than 2^31 variables." and "NAMES
## must be a cell array of strings, one for each variable.", with
## identifiers @code{samplekit:mcmc_summary:@var{reason}}.
##
## @example
## @group
## randn ("state", 1);
## x = filter (1, [1 -0.9], randn (1000, 4));  # four AR(1) chains
## mcmc_summary (x, @{"theta"@})
##   @print{}   variable     mean  median     sd    mad     q5    q95   rhat  ...
##   @print{}   theta     @dots{}
## s = mcmc_summary (cat (3, x, randn (1000, 4)));
## [s.ess_bulk]                                  # one value per variable
## @end group
## @end example
## @seealso{samplekit_worker_seed}
## @end deftypefn

%!shared x, s
%! randn ("state", 7);
%! x = filter (1, [1 -0.5], randn (200, 3, 2));
%! s = mcmc_summary (x, {"a", "b"});

%!test  # the result's shape, fields and names
%! assert (size (s), [1 2]);
%! assert (fieldnames (s)', {"names", "mean", "median", "sd", "mad", "q5", "q95", ...
%!                           "rhat", "ess_bulk", "ess_tail", "mcse_mean"});
%! assert ({s.names}, {"a", "b"});
%! assert ({mcmc_summary(x).names}, {"x[1]", "x[2]"});
%! assert (mcmc_summary (x(:, :, 1), "one").names, "one");
%! assert (size (mcmc_summary (zeros (10, 2, 0))), [1 0]);

%!test  # the statistics are those of all draws of a variable
%! v = x(:, :, 2)(:);
%! assert ([s(2).mean, s(2).median, s(2).sd], [mean(v), median(v), std(v)], 1e-13);
%! assert (s(2).mad, 1.4826 * median (abs (v - median (v))), 1e-13);
%! assert ([s(2).q5, s(2).q95], quantile (v, [0.05 0.95], 1, 7), 1e-13);
%! assert (s(2).mcse_mean, s(2).sd / sqrt (s(2).ess_bulk), 0.2 * s(2).mcse_mean);

%!test  # a variable is summarised alone as it is among others
%! assert (mcmc_summary (x(:, :, 2), "b"), s(2));

%!test  # ranks: bulk and tail ESS unchanged by an increasing map, R-hat by an affine one
%! t = mcmc_summary (exp (x), {"a", "b"});
%! assert ([t.ess_bulk; t.ess_tail], [s.ess_bulk; s.ess_tail], 1e-12);
%! t = mcmc_summary (3 * x - 1, {"a", "b"});
%! assert ([t.rhat], [s.rhat], 1e-12);

%!test  # fewer than four iterations: statistics but no diagnostics
%! t = mcmc_summary ([1 2 3; 4 5 7; 9 8 6]);
%! assert ([t.mean, t.median, t.q5], [5, 5, 1.4], 1e-15);
%! assert ([t.rhat, t.ess_bulk, t.ess_tail, t.mcse_mean], NaN (1, 4));

%!test  # the printed table: a header, one row per variable, marks and a note
%! out = evalc ("mcmc_summary (x, {'a', 'b'})");
%! lines = strsplit (out, "\n")(1:end-1);
%! assert (regexp (lines{1}, '^\s+variable\s+mean\s+median\s+sd\s+mad\s+q5\s+q95\s+rhat\s+ess_bulk\s+ess_tail\s+mcse_mean$'), 1);
%! assert (regexp (lines{2}, '^\s+a\s+-?\d'), 1);
%! assert (numel (lines), 5);             # 600 draws are fewer than 100 per chain, effectively
%! assert (! isempty (strfind (lines{2}, "*")) && ! isempty (strfind (lines{4}, "R-hat above 1.01")));
%! golden = reshape (mod ((1:4000)' * (sqrt (5) - 1) / 2, 1), 1000, 4);   # evenly spread draws
%! out = evalc ("mcmc_summary (golden, 'golden')");
%! assert (isempty (strfind (out, "*")));

%!test  # each refusal's identifier
%! calls = {@() mcmc_summary(), "inputCount"; @() mcmc_summary(single (1)), "class";
%!          @() mcmc_summary(zeros (2, 2, 2, 2)), "dimensions"; @() mcmc_summary(zeros (5, 2, 2), {"a"}), "names";
%!          @() mcmc_summary(zeros (2^16, 2^15, 0)), "size"};
%! for k = 1:rows (calls)
%!   try
%!     calls{k, 1} ();
%!     error ("call %d was accepted", k);
%!   catch err
%!     assert (err.identifier, ["samplekit:mcmc_summary:" calls{k, 2}]);
%!   end_try_catch
%! endfor

%!error <Wrong number of input arguments\.> mcmc_summary ()
%!error <Wrong number of input arguments\.> mcmc_summary (1, {"a"}, 3)
%!error <Too many output arguments\.> [a, b] = mcmc_summary (1)
%!error <X must be a real double array\.> mcmc_summary (single (1))
%!error <X must be a real double array\.> mcmc_summary (1 + 2i)
%!error <X must be a real double array\.> mcmc_summary (sparse (1))
%!error <X must be iterations x chains x variables: at most three dimensions\.> mcmc_summary (zeros (2, 2, 2, 2))
%!error <NAMES must be a cell array of strings, one for each variable\.> mcmc_summary (zeros (5, 2, 3), {"a", "b"})
%!error <NAMES must be a cell array of strings, one for each variable\.> mcmc_summary (zeros (5, 2, 2), {"a", 2})
%!error <NAMES must be a cell array of strings, one for each variable\.> mcmc_summary (zeros (5, 2, 2), "ab")
%!error <NAMES must be a cell array of strings, one for each variable\.> mcmc_summary (zeros (5, 2), {["a"; "b"]})
%!error <X must have fewer than 2\^31 draws of each variable, and fewer than 2\^31 variables\.> mcmc_summary (zeros (2^16, 2^15, 0))

%!demo
%! ## Four chains of an AR(1) process, one of them started far away: the
%! ## mark and a large R-hat say that the chains have not converged.
%! randn ("state", 1);
%! x = filter (1, [1 -0.95], randn (1000, 4));
%! x(:, 4) += 10 * 0.95 .^ (1:1000)';
%! mcmc_summary (cat (3, x, randn (1000, 4)), {"slow", "fast"})
