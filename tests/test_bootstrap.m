## bayes_boot_mean, bayes_boot_percentiles and simplex_weight_draws: the
## Dirichlet weights and host calls under scripted uniforms, the percentile
## rules, the argument checks, and seeded distribution checks.

%!function [w, total] = dirichlet_reference (u, prior)
%!  total = 0;
%!  w = zeros (size (u));
%!  for j = 1:numel (u)
%!    if (nargin > 1) w(j) = (-log (u(j))) * prior(j); else w(j) = -log (u(j)); endif
%!    total = w(j) + total;
%!  endfor
%!endfunction

%!test  # weights: -log(u), summed from 0 in order, normalised; one rand (n, 1) per replicate
%! c = scripted_host ();
%! x = [1 10; 2 -3; 4 0.5];
%! u = [0.5 0.25 0.125; 0.9 0.1 0.3];
%! host_stream ("load", "rand", u');
%! r = bayes_boot_mean (x, 2);
%! for i = 1:2
%!   [e, total] = dirichlet_reference (u(i, :));
%!   expected = [0 0];
%!   for j = 1:3
%!     w = e(j) / total;
%!     expected = x(j, :) * w + expected;
%!   endfor
%!   assert (r(i, :), expected);
%! endfor
%! assert (host_stream ("calls", "rand"), {[3 1], [3 1]});

%!test  # prior weights scale each exponential before the normalisation
%! c = scripted_host ();
%! host_stream ("load", "rand", [0.5 0.25 0.125]);
%! prior = [2; 0; 5];
%! r = bayes_boot_mean ([1; 2; 4], 1, prior);
%! [e, total] = dirichlet_reference ([0.5 0.25 0.125], prior);
%! assert (r, 1 * (e(1) / total) + 2 * (e(2) / total) + 4 * (e(3) / total), eps);

%!test  # no replicate, no call; X without rows or columns still draws
%! c = scripted_host ();
%! host_stream ("load", "rand", []);
%! assert (bayes_boot_mean ([1; 2], 0.9), zeros (0, 1));
%! assert (bayes_boot_percentiles ([1; 2], 50, -0.9), zeros (0, 1));
%! assert (host_stream ("calls", "rand"), {});
%! assert (bayes_boot_mean (zeros (0, 2), 2), zeros (2, 2));
%! host_stream ("load", "rand", 0.5 * ones (6, 1));
%! assert (size (bayes_boot_mean (ones (3, 0), 2)), [2 0]);
%! assert (host_stream ("calls", "rand"), {[3 1], [3 1]});
%! host_stream ("load", "rand", [0.5; 0.5]);
%! assert (all (isnan (bayes_boot_mean ([1; 2], 1, [0; 0]))));

%!test  # percentiles: interpolation between neighbours, levels in ascending order
%! c = scripted_host ();
%! x = [1; 3; 4; 10];
%! u = [0.5 0.2 0.7 0.1];
%! host_stream ("load", "rand", u);
%! r = bayes_boot_percentiles (x, [75 5 40 100 0]);
%! [e, total] = dirichlet_reference (u);
%! cu = [e(1) / total, 0, 0, 1];
%! cu(2) = cu(1) + e(2) / total;
%! cu(3) = cu(2) + e(3) / total;
%! line = @(j, q) x(j-1) + ((x(j) - x(j-1)) * (q - cu(j-1))) / (cu(j) - cu(j-1));
%! levels = [0 0.05 0.4 0.75 1];
%! expected = zeros (1, 5);
%! for p = 1:5
%!   j = find (cu >= levels(p), 1);
%!   if (j == 1) expected(p) = x(1); else expected(p) = line (j, levels(p)); endif
%! endfor
%! assert (r, expected);

%!test  # n = 2 interpolates straight to U = 1; a zero prior weight inside takes no level
%! c = scripted_host ();
%! host_stream ("load", "rand", [0.5 0.5]);
%! r = bayes_boot_percentiles ([2; 6], [25 50 75 100]);
%! assert (r, [2, 2, 4, 6]);
%! host_stream ("load", "rand", [0.5 0.5 0.5]);
%! r = bayes_boot_percentiles ([1; 5; 9], [40 50 60], 1, [1; 0; 1]);
%! assert (r, [1, 1, 5 + ((9 - 5) * (0.6 - 0.5)) / (1 - 0.5)]);
%! host_stream ("load", "rand", [0.5 0.5 0.5]);
%! r = bayes_boot_percentiles ([9; 5; 1], [25 75]);          # passed descending: kept
%! assert (r, [9, 5 + ((1 - 5) * (0.75 - 2/3)) / (1 - 2/3)], 1e-12);

%!test  # the sorted copy of P, not P, is divided by 100
%! c = scripted_host ();
%! host_stream ("load", "rand", [0.5 0.5]);
%! p = [80 20];
%! bayes_boot_percentiles ([0; 1], p);
%! assert (p, [80 20]);

%!test  # a user's sort or rand that returns the wrong thing is refused, not misread
%! c = bad_host ();
%! try
%!   bayes_boot_percentiles ([1; 2], 50);
%!   error ("accepted");
%! catch err
%!   assert (err.message, "bayes_boot_percentiles: The host's sort returned an unexpected result.");
%! end_try_catch
%! try
%!   simplex_weight_draws (3, 2);
%!   error ("accepted");
%! catch err
%!   assert (err.message, "simplex_weight_draws: The host's rand returned an unexpected result.");
%! end_try_catch

%!test  # simplex: each column normalised by its own sum, uniforms in storage order
%! c = scripted_host ();
%! u = [0.5 0.25 0.125 0.9 0.1 0.3];
%! host_stream ("load", "rand", u);
%! y = simplex_weight_draws (3, 2);
%! for col = 1:2
%!   [e, total] = dirichlet_reference (u(3 * col - 2:3 * col));
%!   assert (y(:, col), (e / total)');
%! endfor
%! assert (host_stream ("calls", "rand"), {[3 2]});
%! host_stream ("load", "rand", []);
%! assert (size (simplex_weight_draws (0, 4)), [0 4]);
%! assert (size (simplex_weight_draws (2, 0)), [2 0]);

%!test  # seeded: means and variance of replicate means; prior-weighted means
%! c = seeded (31);
%! x = [0.3; 1.7; 2.2; 5.0; -1.1; 0.8; 3.3; 2.9];
%! n = numel (x);
%! r = bayes_boot_mean (x, 20000);
%! target_var = sum ((x - mean (x)) .^ 2) / (n * (n + 1));
%! assert (abs (mean (r) - mean (x)) < 5 * sqrt (target_var / 20000));
%! assert (abs (var (r) / target_var - 1) < 5 * sqrt (2 / 20000) * 1.5);
%! prior = (1:n)';
%! r = bayes_boot_mean ([x, 2 * x], 20000, prior);
%! assert (abs (mean (r(:, 1)) - sum (prior .* x) / sum (prior)) < 0.02);
%! assert (r(:, 2), 2 * r(:, 1), 1e-12);

%!test  # seeded: simplex columns sum to 1 and each coordinate is Beta(1, A - 1)
%! c = seeded (32);
%! a = 4;
%! y = simplex_weight_draws (a, 5000);
%! assert (max (abs (sum (y) - 1)) < 1e-15);
%! dkw_check (y(2, :), @(t) 1 - (1 - t) .^ (a - 1));
%! dkw_check (y(4, :), @(t) 1 - (1 - t) .^ (a - 1));

%!test  # seeded: the median replicates of a sorted sample centre on its median
%! c = seeded (33);
%! x = sort (randn (201, 1));
%! r = bayes_boot_percentiles (x, [50 2.5], 2000);
%! assert (abs (mean (r(:, 2)) - median (x)) < 0.1);     # columns follow sorted P
%! assert (all (r(:, 1) < r(:, 2)));

%!error <X must be a real double array\.> bayes_boot_mean (int8 ([1; 2]), 2)
%!error <W must be a real double array\.> bayes_boot_mean ([1; 2], 2, single ([1; 1]))
%!error <W must be a column vector\.> bayes_boot_mean ([1; 2], 2, zeros (2, 0))
%!error <W must be a column vector\.> bayes_boot_percentiles ([1; 2], 50, 2, zeros (2, 0))
%!error <B must be a real number\.> bayes_boot_mean ([1; 2], {2})
%!error <Size arguments must not be empty\.> bayes_boot_mean ([1; 2], [])
%!error <Size arguments must be finite> bayes_boot_mean ([1; 2], NaN)
%!error <Size arguments must be finite> bayes_boot_mean ([1; 2], -1)
%!error <Size arguments must be finite> bayes_boot_mean (ones (1, 3), 2^30)
%!error <Size arguments must be finite> bayes_boot_percentiles ([1; 2], 1:3, 2^30)
%!error <P must be a real double array\.> bayes_boot_percentiles ([1; 2], int8 (50))
%!error <P must be a real double array\.> bayes_boot_percentiles ([1; 2], {50})
%!error <X must be a real double array\.> bayes_boot_percentiles (single ([1; 2]), 50)
%!error <X must have at least two rows\.> bayes_boot_percentiles (zeros (0, 1), 50, 0)
%!error <X must not be empty\.> bayes_boot_percentiles (zeros (3, 0), [10 50 90])  # fuzz: read past X
%!error <A must be a real number\.> simplex_weight_draws ("a")
%!error <Size arguments must not be empty\.> simplex_weight_draws (3, [])
%!error <Size arguments must be finite> simplex_weight_draws (-1)
%!error <Size arguments must be finite> simplex_weight_draws (65536, 65536)
