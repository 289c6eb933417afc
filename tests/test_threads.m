## Worker threads: every threaded plug-in gives the same bits and leaves the
## generators in the same states at 1, 2, 3 and 8 threads; SAMPLEKIT_THREADS
## is checked before anything is drawn; the tiled distances, the bootstrap
## sums taken eight replicates abreast and the threaded passes keep each
## value's arithmetic; the pool (through tests/harness/thread_harness)
## runs every task once, on the threads asked for.

%!function out = under_threads (value, f)
%!  saved = getenv ("SAMPLEKIT_THREADS");
%!  setenv ("SAMPLEKIT_THREADS", value);
%!  unwind_protect
%!    out = f ();
%!  unwind_protect_cleanup
%!    if (isempty (saved)) unsetenv ("SAMPLEKIT_THREADS"); else setenv ("SAMPLEKIT_THREADS", saved); endif
%!  end_unwind_protect
%!endfunction

%!function out = drawn (value, f)
%!  c = seeded (41);
%!  out = {under_threads(value, f), rand("state"), randn("state")};
%!endfunction

%!function tf = same_bits (a, b)
%!  tf = isequal (size (a), size (b)) && isequal (typecast (a(:), "uint64"), typecast (b(:), "uint64"));
%!endfunction

%!function m = metric (components, scales, delta)
%!  m = struct ("type", "metric_euclidean", "lengthScale", scales, "components", {components}, ...
%!              "deltadist", delta);
%!endfunction

%!test  # the same bits and final generator states at 1, 2, 3 and 8 threads
%! c = seeded (40);
%! x = [-2^20 - 0.25, -3.5, -0, 0, 5, NaN, Inf, 1e-9, 18, 40 * randn(1, 120000)];
%! xm = randn (700, 10);
%! xm(:, 6:10) = round (xm(:, 6:10));
%! xm(3, 2) = NaN;
%! sorted = sort (randn (300, 1));
%! calls = {@() digamma_array(x), @() tanh_array(x), @() tanh_array(x(1:5)), ...
%!          @() exponential_draws(2, 100003, 1), @() exponential_draws(randn(400, 300)), ...
%!          @() simplex_weight_draws(100, 1001), @() simplex_weight_draws(300000, 1), ...
%!          @() simplex_weight_draws(50000, 3), @() bayes_boot_mean(randn(1000, 3), 203), ...
%!          @() bayes_boot_mean(randn(300, 33), 70, rand(300, 1)), @() bayes_boot_mean(randn(70000, 2), 3), ...
%!          @() bayes_boot_percentiles(sorted, [2.5 50 97.5 NaN], 500, rand(300, 1)), ...
%!          @() metric_distance_matrix(metric(num2cell(1:10), 1, false(1, 10)), xm), ...
%!          @() metric_distance_matrix(metric({1:5, [6 7 6], 8:10}, [0.5 2 0], logical([0 1 0])), xm(1:333, :)), ...
%!          @() resample_multinomial(exp(3 * randn(1, 5000)), 100003, 1), ...
%!          @() resample_residual(rand(1, 30000) .^ 4, 1, 100003), ...
%!          @() scaled_invchi2_draws(2, 5, 100003, 1), @() mean_dof_gamma_draws(2, 1.4, 300, 200), ...
%!          @() student_t_draws(4, 70001, 1), ...
%!          @() cell2mat(struct2cell(mcmc_summary(reshape([xm(1:600, :), round(xm(1:600, :))], 600, 4, 5))(:))(2:end, :))};
%! for k = 1:numel (calls)
%!   one = drawn ("1", calls{k});
%!   for threads = {"2", "3", "8"}
%!     other = drawn (threads{1}, calls{k});
%!     assert (same_bits (one{1}, other{1}) && isequal (one(2:3), other(2:3)),
%!             "call %d differs at %s threads", k, threads{1});
%!   endfor
%! endfor

%!test  # SAMPLEKIT_THREADS other than 1 to 1024 in digits is refused before any draw
%! c = seeded (42);
%! calls = {@() digamma_array(1), @() tanh_array(1), @() exponential_draws(1), ...
%!          @() simplex_weight_draws(2), @() bayes_boot_mean([1; 2]), ...
%!          @() bayes_boot_percentiles([1; 2], 50), @() metric_distance_matrix(metric({1}, 1, false), 1), ...
%!          @() resample_multinomial(1), @() resample_residual(1), @() scaled_invchi2_draws(1, 2), ...
%!          @() mean_dof_gamma_draws(1, 2), @() student_t_draws(4), @() mcmc_summary(1)};
%! names = {"digamma_array", "tanh_array", "exponential_draws", "simplex_weight_draws", ...
%!          "bayes_boot_mean", "bayes_boot_percentiles", "metric_distance_matrix", ...
%!          "resample_multinomial", "resample_residual", "scaled_invchi2_draws", ...
%!          "mean_dof_gamma_draws", "student_t_draws", "mcmc_summary"};
%! state = rand ("state");
%! for value = {"0", "-1", "+2", " 2", "2 ", "2.0", "1e2", "two", "1025", "99999999999999999999"}
%!   for k = 1:numel (calls)
%!     try
%!       under_threads (value{1}, calls{k});
%!       error ("%s accepted '%s'", names{k}, value{1});
%!     catch err
%!       assert (err.message, [names{k} ": SAMPLEKIT_THREADS must be a whole number from 1 to 1024, or unset."]);
%!       assert (err.identifier, ["samplekit:" names{k} ":threads"]);
%!     end_try_catch
%!   endfor
%! endfor
%! assert (rand ("state"), state);
%! for value = {"1", "0008", "1024", ""}         # empty counts as unset
%!   assert (under_threads (value{1}, @() tanh_array (0.5)), tanh_array (0.5));
%! endfor

%!test  # tiled distances add each pair's terms in order, tile edges included
%! c = seeded (43);
%! for n = [1 2 31 63 64 65 97 130]
%!   x = [randn(n, 3), round(2 * randn (n, 2))];
%!   if (n > 4) x(2, 1) = NaN; x(3, 4) = Inf; x(4, 4) = Inf; endif
%!   parts = {[1 3 1], 4:5, 2, 5};
%!   scales = [1 0.7 0 3];
%!   delta = logical ([0 1 0 1]);
%!   d = zeros (n);
%!   for i = 1:numel (parts)
%!     s2 = scales(i) * scales(i);
%!     for col = parts{i}
%!       t = x(:, col)' - x(:, col);             # t(l, k) = x(k) - x(l)
%!       if (delta(i))
%!         term = zeros (n);
%!         term(t != 0) = 1 / s2;                # NaN counts as a mismatch
%!       else
%!         term = (t .* t) / s2;
%!       endif
%!       d = term + d;
%!     endfor
%!   endfor
%!   upper = triu (sqrt (d), 1);
%!   assert (same_bits (metric_distance_matrix (metric (parts, scales, delta), x), upper + upper.'));
%! endfor

%!test  # bootstrap means abreast keep each sum X(j, k) * w(j) + sum in order
%! for shape = [1 2 9; 7 0 5; 300 33 17; 20 3 8; 5 9 1; 64 1 25]'
%!   [n, d, b] = num2cell (shape){:};
%!   c = seeded (44);
%!   x = randn (n, d);
%!   prior = rand (n, 1);
%!   state = rand ("state");
%!   r = bayes_boot_mean (x, b, prior);
%!   rand ("state", state);
%!   e = (-log (rand (n, b))) .* prior;
%!   total = zeros (1, b);
%!   for j = 1:n
%!     total = e(j, :) + total;
%!   endfor
%!   w = e ./ total;
%!   expected = zeros (b, d);
%!   for j = 1:n
%!     expected = x(j, :) .* w(j, :)' + expected;
%!   endfor
%!   assert (same_bits (r, expected), "n %d, d %d, B %d", n, d, b);
%! endfor

%!test  # every task and every element once, on no more threads than asked, and on more than one
%! cases = [1 0 0; 1 5 0; 2 1 0; 2 2 0; 3 10 0; 8 3 0; 1024 40 0; 2 64 0; ...
%!          4 0 7; 1 10 3; 2 10 3; 3 100 7; 8 100 100; 8 101 100; 64 1000 1];
%! for k = 1:rows (cases)
%!   [threads, count, chunk] = num2cell (cases(k, :)){:};
%!   if (chunk > 0)
%!     [visits, seen] = thread_harness (threads, count, chunk);
%!     tasks = ceil (count / chunk);
%!   else
%!     [visits, seen] = thread_harness (threads, count);
%!     tasks = count;
%!   endif
%!   assert (isequal (visits, ones (1, count)), "case %d", k);
%!   assert (seen <= min (threads, max (tasks, 1)), "case %d", k);
%!   assert (seen >= min (2, min (threads, tasks)), "case %d: the workers never ran", k);
%! endfor

%!test  # threaded log passes and tanh give their formulas' bits, element by element
%! c = seeded (45);
%! for shape = [100003 1; 400 300; 100 1001; 300000 1; 50000 3]'
%!   [m, n] = num2cell (shape){:};
%!   mu = randn (m, n);
%!   state = rand ("state");
%!   y = exponential_draws (mu);
%!   rand ("state", state);
%!   assert (same_bits (y, (-mu) .* log (rand (m, n))));
%!   state = rand ("state");
%!   y = simplex_weight_draws (m, n);
%!   rand ("state", state);
%!   e = -log (rand (m, n));
%!   total = cumsum (e)(end, :);                  # summed in order, as e + S
%!   assert (same_bits (y, e ./ total));
%! endfor
%! x = [-20 + 40 * rand(1, 120000), -18, 18, 18.000001, 1.5e-8, -0, NaN, -Inf];
%! expected = x;
%! mid = abs (x) > 1.5e-8 & abs (x) <= 18;
%! expected(mid) = 1 - 2 ./ (exp (2 * x(mid)) + 1);
%! expected(abs (x) > 18) = sign (x(abs (x) > 18));
%! assert (same_bits (tanh_array (x), expected));
