## mcmc_summary against R's posterior package (1.4): every field of every
## variable of the arrays of mcmc_test_arrays agrees with the numbers that
## tests/reference/mcmc_reference.R stored, to a relative 1e-8, NaN where
## posterior gives NA. The one deliberate difference: below four iterations
## per chain every diagnostic is NaN, where posterior still gives a tail ESS.

%!function [names, values] = stored_reference ()
%!  file = fullfile (fileparts (fileparts (which ("mcmc_test_arrays"))), "reference", "mcmc_reference.txt");
%!  text = fileread (file);
%!  rows = regexp (text, '^([^#\s]\S*) (\d+) (.*)$', "tokens", "lineanchors", "dotexceptnewline");
%!  names = cellfun (@(r) r{1}, rows, "uniformoutput", false);
%!  values = cell2mat (cellfun (@(r) str2double (strsplit (r{3}, " ")), rows', "uniformoutput", false));
%!endfunction

%!function values = summary_values (s)
%!  values = cell2mat (struct2cell (s(:))(2:end, :))';
%!endfunction

%!test
%! [names, reference] = stored_reference ();
%! cases = mcmc_test_arrays ();
%! diagnostics = 7:10;
%! row = 0;
%! for k = 1:rows (cases)
%!   x = cases{k, 2};
%!   ours = summary_values (mcmc_summary (x));
%!   expected = reference(row + (1:rows (ours)), :);
%!   assert (all (strcmp (names(row + (1:rows (ours))), cases{k, 1})), "%s: stored rows out of step", cases{k, 1});
%!   row += rows (ours);
%!   if (rows (x) < 4)
%!     expected(:, diagnostics) = NaN;
%!   endif
%!   agree = (isnan (ours) & isnan (expected)) | ours == expected | ...
%!           abs (ours - expected) <= 1e-8 * abs (expected);
%!   [v, f] = find (! agree, 1);
%!   assert (isempty (v), "%s, variable %d, column %d: %.17g, posterior %.17g",
%!           cases{k, 1}, v, f, ours(v, f), expected(v, f));
%! endfor
%! assert (row, numel (names));
%! assert (rows (cases) >= 20);

%!test  # the deliberate difference is there: posterior's tail ESS from two iterations
%! [names, reference] = stored_reference ();
%! assert (reference(strcmp (names, "short_2x4"), 9), 4);
%! cases = mcmc_test_arrays ();
%! s = mcmc_summary (cases{strcmp (cases(:, 1), "short_2x4"), 2});
%! assert ([s.rhat, s.ess_bulk, s.ess_tail, s.mcse_mean], NaN (1, 4));

%!test  # a variable long enough for the serial path gives what it gives among the tasks
%! c = seeded (5);
%! x = filter (1, [1 -0.8], randn (17000, 4, 3));
%! s = mcmc_summary (x);
%! assert (summary_values (mcmc_summary (x(:, :, 2))), summary_values (s(2)));
%! t = mcmc_summary (x(1:1000, :, :));
%! assert (summary_values (mcmc_summary (x(1:1000, :, 3))), summary_values (t(3)));

%!test  # chains whose answers are known
%! ## Independent draws (R-hat 1, ESS the draw count), AR(1) with phi = 0.9
%! ## (ESS N (1 - phi) / (1 + phi)), and one chain off by 3 sd (R-hat well
%! ## above 1), each against its own bounds.
%! c = seeded (5);
%! noise = randn (2000, 4);
%! cases = {noise, 0.99, 1.01, 0.75 * 8000, 1.25 * 8000;
%!          filter(1, [1 -0.9], noise), 0.99, 1.05, 0.5 * 8000 / 19, 1.5 * 8000 / 19;
%!          noise + [0 0 0 3], 1.2, Inf, 0, Inf};
%! for k = 1:rows (cases)
%!   s = mcmc_summary (cases{k, 1});
%!   assert ([s.rhat >= cases{k, 2}, s.rhat <= cases{k, 3}, s.ess_bulk >= cases{k, 4}, s.ess_bulk <= cases{k, 5}]);
%! endfor
