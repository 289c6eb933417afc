## dirichlet_draws against its Beta marginals and covariances, at tiny and
## huge concentrations, and the host values its gamma draws take.

%!test  # marginals Beta (a_i, a_0 - a_i) by DKW at p = 0.001, covariances within 5 SE
%! c = seeded (31);
%! n = 4000;
%! for alpha = {[0.3 2], [1 1 1], [5 0.7 2], [50 20], [0.02 1 0.5], [2 3 5 0.9]}
%!   a = alpha{1};
%!   y = dirichlet_draws (a, n);
%!   a0 = sum (a);
%!   for i = 1:numel (a)
%!     dkw_check (y(i, :), @(x) betainc (x, a(i), a0 - a(i)));
%!   endfor
%!   products = (y(1, :) - mean (y(1, :))) .* (y(2, :) - mean (y(2, :)));
%!   exact = -a(1) * a(2) / (a0 ^ 2 * (a0 + 1));
%!   assert (abs (mean (products) - exact) < 5 * std (products) / sqrt (n));
%! endfor

%!test  # huge concentrations: mean and variance within 5 SE
%! c = seeded (32);
%! n = 20000;
%! for alpha = {[1e6 2e6], [1e12 3e12]}
%!   a = alpha{1};
%!   y = dirichlet_draws (a, n)(1, :);
%!   p = a(1) / sum (a);
%!   v = p * (1 - p) / (sum (a) + 1);
%!   assert (abs (mean (y) - p) < 5 * sqrt (v / n));
%!   assert (abs (var (y) / v - 1) < 5 * sqrt (2 / n));
%! endfor
%! assert (dirichlet_draws ([1e300 1e300], 10), 0.5 * ones (2, 10), eps);

%!function f = log_beta_cdf (t, a, b)
%!  ## P(log Y <= t) for Y ~ Beta (a, b), exact where Y underflows or rounds
%!  ## to 1: below e^-700, I(x; a, b) = x^a / (a B(a, b)) (1 + O(x)); above
%!  ## 1/2, from the other coordinate, 1 - e^t.
%!  f = betainc (exp (t), a, b);
%!  low = t <= -700;
%!  f(low) = exp (a * t(low) - log (a) - betaln (a, b));
%!  high = t > log (0.5);
%!  f(high) = 1 - betainc (-expm1 (t(high)), b, a);
%!endfunction

%!test  # small shapes, whose draws underflow: log Y against log of Beta by DKW
%! c = seeded (36);
%! for alpha = {[1e-3 1.5], [0.05 0.05], [1e-5 0.7 2]}
%!   a = alpha{1};
%!   [~, logy] = dirichlet_draws (a, 4000);
%!   dkw_check (logy(1, :), @(t) log_beta_cdf (t, a(1), sum (a) - a(1)));
%! endfor

%!test  # tiny concentrations: no NaN, columns sum to 1, finite logy, vertices by alpha
%! c = seeded (33);
%! n = 20000;
%! a = [1e-4 1e-5 1e-4];
%! [y, logy] = dirichlet_draws (a, n);
%! assert (all (isfinite (logy(:))) && ! any (isnan (y(:))));
%! assert (max (abs (sum (y) - 1)) <= 1e-12);
%! [~, vertex] = max (logy);
%! share = accumarray (vertex', 1, [3 1])' / n;
%! expected = a / sum (a);                  # the limit as alpha -> 0
%! assert (all (abs (share - expected) < 5 * sqrt (expected .* (1 - expected) / n)));
%! [y, logy] = dirichlet_draws ([1e-300 1e-300 1e-300 2], 200);
%! assert (all (isfinite (logy(:))));
%! assert (sort (y(:, 1:end))(end, :), ones (1, 200));   # one coordinate takes it all
%! assert (sum (y), ones (1, 200));

%!test  # a matrix alpha: each column its own; equal columns give the vector form's bits
%! c = seeded (34);
%! a = repmat ([1 30; 30 1], 1, 2000);
%! y = dirichlet_draws (a);
%! assert (mean (y(1, 1:2:end)), 1 / 31, 5 * sqrt (30 / 31 ^ 2 / 32 / 2000));
%! assert (mean (y(1, 2:2:end)), 30 / 31, 5 * sqrt (30 / 31 ^ 2 / 32 / 2000));
%! clear c;
%! c = seeded (35);
%! [y, logy] = dirichlet_draws (repmat ([0.5; 2; 7], 1, 300));
%! clear c;
%! c = seeded (35);
%! [y2, logy2] = dirichlet_draws ([0.5 2 7], 300);
%! assert ({y, logy}, {y2, logy2});

%!test  # host values: U first below shape 1, then randn and rand per trial
%! c = scripted_host ();
%! ## shape 2: a trial ended by 1 + c x <= 0 takes no rand, then the squeeze
%! ## accepts; shape 0.5: U, then a trial that the second test decides, then
%! ## shape 3e4, decided by the second test's series.
%! alpha = [2 0.5 3e4];
%! z = [-10 0.3, 2.5 -0.4, 2.6];
%! u = [0.5, 0.25 0.99 0.7, 0.999];
%! host_stream ("load", "randn", z);
%! host_stream ("load", "rand", u);
%! [y, logy] = dirichlet_draws (alpha);
%! [g1, nz1, nu1] = log_gamma_reference (2, z, u);
%! [g2, nz2, nu2] = log_gamma_reference (0.5, z(nz1+1:end), u(nu1+1:end));
%! [g3, nz3, nu3] = log_gamma_reference (3e4, z(nz1+nz2+1:end), u(nu1+nu2+1:end));
%! assert ([nz1 nu1; nz2 nu2; nz3 nu3], [2 1; 2 3; 1 1]);
%! assert (host_stream ("consumed", "randn"), 5);
%! assert (host_stream ("consumed", "rand"), 5);
%! g = [g1; g2; g3];
%! [top, k] = max (g);
%! rest = sum (exp (g([1:k-1, k+1:end]) - top));
%! assert (logy, (g - top) - log1p (rest));
%! assert (y, exp (g - top) / (1 + rest));
