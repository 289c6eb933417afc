## wishart_draws and inverse_wishart_draws against their moments and
## marginals, the host values each draw takes and the arithmetic that turns
## them into C and W, and the scale checks at their boundaries.

## The plug-ins' arithmetic written out in Octave, each sum in the order
## the plug-ins add it: scalar operations, so the bits must agree.
%!function r = cholesky_reference (s)
%!  p = rows (s);
%!  r = zeros (p);
%!  for j = 1:p
%!    for i = 1:j-1
%!      t = s(i, j);
%!      for k = 1:i-1
%!        t = t - r(k, i) * r(k, j);
%!      endfor
%!      r(i, j) = t / r(i, i);
%!    endfor
%!    t = s(j, j);
%!    for k = 1:j-1
%!      t = t - r(k, j) * r(k, j);
%!    endfor
%!    r(j, j) = sqrt (t);
%!  endfor
%!endfunction

%!function c = factor_reference (g, r, inverse)
%!  p = rows (g);
%!  c = zeros (p);
%!  for j = 1:p
%!    for i = j:-1:1
%!      if (inverse)               # C = G \ R by back substitution
%!        t = r(i, j);
%!        for k = j:-1:i+1
%!          t = t - g(i, k) * c(k, j);
%!        endfor
%!        c(i, j) = t / g(i, i);
%!      else                       # C = G * R
%!        t = 0;
%!        for k = i:j
%!          t = t + g(i, k) * r(k, j);
%!        endfor
%!        c(i, j) = t;
%!      endif
%!    endfor
%!  endfor
%!endfunction

%!function w = gram_reference (c)
%!  p = rows (c);
%!  w = zeros (p);
%!  for j = 1:p
%!    for i = 1:j
%!      t = 0;
%!      for k = 1:i
%!        t = t + c(k, i) * c(k, j);
%!      endfor
%!      w(i, j) = t;
%!      w(j, i) = t;
%!    endfor
%!  endfor
%!endfunction

## The diagonals of a p x p x n array, one row per draw.
%!function d = page_diagonals (a)
%!  p = rows (a);
%!  d = reshape (a, p * p, [])(1:p+1:end, :)';
%!endfunction

%!test  # host values: G's normals column by column, then its diagonal's gammas in order
%! c = scripted_host ();
%! z = [0.3 -1.2 0.7, -0.4 2.1 0.05];
%! u = 0.05 + 0.9 * mod ((1:60) * 0.6180339887, 1);   # more than the draws take
%! ## Only the upper triangle is read: the lower one is off by rounding.
%! s = [2 0.5 0.3; 0.5 1 -0.2; 0.3 -0.2 1.5];
%! s_read = s + tril (1e-12 * ones (3), -1);
%! nu = 5.3;
%! for inverse = [false true]
%!   host_stream ("load", "randn", z);
%!   host_stream ("load", "rand", u);
%!   if (inverse)
%!     [w, cf] = inverse_wishart_draws (s_read, nu, 2);
%!     shapes = (nu - (2:-1:0)) / 2;       # nu - p + i, as nu less a whole number
%!   else
%!     [w, cf] = wishart_draws (s_read, nu, 2);
%!     shapes = (nu - (0:2)) / 2;          # nu - i + 1
%!   endif
%!   r = cholesky_reference (s);
%!   assert (r, chol (s), 4 * eps);
%!   used = 0;
%!   for d = 1:2
%!     g = zeros (3);
%!     g([4 7 8]) = z(3 * d - 2:3 * d);       # G(1,2); G(1,3), G(2,3)
%!     for i = 1:3
%!       [x, taken] = gamma_reference (shapes(i), u(used + 1:end));
%!       g(i, i) = sqrt (2 * x);
%!       used += taken;
%!     endfor
%!     expected = factor_reference (g, r, inverse);
%!     assert (cf(:, :, d), expected);
%!     assert (w(:, :, d), gram_reference (expected));
%!   endfor
%!   assert ([host_stream("consumed", "randn"), host_stream("consumed", "rand")], [6 used]);
%! endfor

%!test  # W is the gram of C bit for bit; C' * C within 2 p eps sqrt (W(i,i) W(j,j))
%! c = seeded (40);
%! scale = diag (10 .^ (-3:2)) * (eye (6) + 0.4 * (ones (6) - eye (6))) * diag (10 .^ (-3:2));
%! for f = {@wishart_draws, @inverse_wishart_draws}
%!   [w, r] = f{1} (scale, 6.5, 50);
%!   for d = 1:50
%!     cd = r(:, :, d);
%!     wd = w(:, :, d);
%!     assert (cd, triu (cd));
%!     assert (all (diag (cd) > 0));
%!     assert (wd, gram_reference (cd));
%!     bound = 2 * 6 * eps * sqrt (diag (wd) * diag (wd)');
%!     assert (all (all (abs (cd' * cd - wd) <= bound)));
%!   endfor
%! endfor

%!test  # Wishart: mean, element variances, E[log det W] within 5 SE; W(i,i) / sigma(i,i) by DKW
%! ## False alarms: below 1e-4 for the 5-SE comparisons together (normal
%! ## approximation), 0.001 for each DKW check.
%! c = seeded (41);
%! n = 20000;
%! for t = {{[2 0.5 0.3; 0.5 1 -0.2; 0.3 -0.2 1.5], 7.5}, {[1 0.9; 0.9 1], 1.6}, {4, 0.6}}
%!   [s, nu] = t{1}{:};
%!   p = rows (s);
%!   [w, r] = wishart_draws (s, nu, n);
%!   x = reshape (w, p * p, n)';
%!   expected = nu * s(:)';
%!   variance = nu * (s(:)' .^ 2 + reshape (diag (s) * diag (s)', 1, []));
%!   assert (all (abs (mean (x) - expected) <= 5 * sqrt (variance / n)));
%!   fourth = mean ((x - mean (x)) .^ 4);
%!   assert (all (abs (var (x) - variance) <= 5 * sqrt ((fourth - variance .^ 2) / n)));
%!   logdet = 2 * sum (log (page_diagonals (r)), 2);
%!   dof = (nu - (1:p) + 1) / 2;
%!   exact = sum (psi (dof)) + p * log (2) + log (det (s));   # the multivariate digamma
%!   assert (abs (mean (logdet) - exact) <= 5 * sqrt (sum (psi (1, dof)) / n));
%!   diagonals = page_diagonals (w) ./ diag (s)';
%!   for i = 1:p
%!     dkw_check (diagonals(:, i), @(v) gammainc (v / 2, nu / 2));
%!   endfor
%! endfor

%!test  # inverse-Wishart: mean and the mean of inv (W) within 5 SE, E[log det W]; diagonal marginals by DKW
%! c = seeded (42);
%! n = 20000;
%! psi_scale = [2 0.5 0.3; 0.5 1 -0.2; 0.3 -0.2 1.5];
%! p = 3;
%! for nu = [9.5 2.4]
%!   [w, r] = inverse_wishart_draws (psi_scale, nu, n);
%!   if (nu > p + 3)                 # mean and variance exist
%!     x = reshape (w, p * p, n)';
%!     d = diag (psi_scale);
%!     variance = ((nu - p + 1) * psi_scale(:)' .^ 2 + (nu - p - 1) * reshape (d * d', 1, [])) ...
%!                / ((nu - p) * (nu - p - 1) ^ 2 * (nu - p - 3));
%!     assert (all (abs (mean (x) - psi_scale(:)' / (nu - p - 1)) <= 5 * sqrt (variance / n)));
%!   endif
%!   ## inv (W) is Wishart (inv (psi), nu), from C: inv (W) = inv (C) * inv (C)'
%!   inverses = zeros (n, p * p);
%!   for k = 1:n
%!     ci = inv (r(:, :, k));
%!     inverses(k, :) = reshape (ci * ci', 1, []);
%!   endfor
%!   s = inv (psi_scale);
%!   variance = nu * (s(:)' .^ 2 + reshape (diag (s) * diag (s)', 1, []));
%!   assert (all (abs (mean (inverses) - nu * s(:)') <= 5 * sqrt (variance / n)));
%!   logdet = 2 * sum (log (page_diagonals (r)), 2);
%!   dof = (nu - p + (1:p)) / 2;
%!   exact = log (det (psi_scale)) - sum (psi (dof)) - p * log (2);
%!   assert (abs (mean (logdet) - exact) <= 5 * sqrt (sum (psi (1, dof)) / n));
%!   ratios = diag (psi_scale)' ./ page_diagonals (w);   # chi-square, nu - p + 1
%!   for i = 1:p
%!     dkw_check (ratios(:, i), @(v) gammainc (v / 2, (nu - p + 1) / 2));
%!   endfor
%! endfor

%!test  # the scale checks at their boundaries: symmetry to 2^-26 of the largest magnitude, pivots
%! c = seeded (43);
%! tol = 2 ^ -26;
%! ## {scale, accepted}
%! cases = {[4 1; 1 - 4 * tol 1], true;              # 4 is the largest magnitude
%!          [4 1; 1 - 4.5 * tol 1], false;
%!          [1 -3; -3 + 3 * tol 10], true;
%!          [1 0; 1e-300 1], true;
%!          [1 1; 1 1], false;                     # singular: a zero pivot
%!          [1 1; 1 1 + 1e-12], true;              # nearly so, still definite
%!          [1 0 0; 0 -1 0; 0 0 1], false;
%!          diag([1e-300 1e300]), true};
%! for k = 1:rows (cases)
%!   [s, accepted] = cases{k, :};
%!   for f = {@wishart_draws, @inverse_wishart_draws}
%!     try
%!       w = f{1} (s, 3);
%!       ok = all (isfinite (w(:)));
%!     catch err
%!       ok = false;
%!       assert (any (strcmp (err.identifier, {"samplekit:wishart_draws:scaleSymmetric", ...
%!                   "samplekit:wishart_draws:scaleDefinite", ...
%!                   "samplekit:inverse_wishart_draws:scaleSymmetric", ...
%!                   "samplekit:inverse_wishart_draws:scaleDefinite"})), err.message);
%!     end_try_catch
%!     assert ([k, ok], [k, accepted]);
%!   endfor
%! endfor

%!test  # nu just above p - 1: every draw positive definite, C's diagonal at or above the floor
%! c = seeded (44);
%! [w, r] = wishart_draws (eye (3), 2 + 2e-5, 2000);
%! assert (min (page_diagonals (r)(:)) >= sqrt (2e-15));
%! [w, r] = inverse_wishart_draws (eye (3), 2 + 2e-5, 2000);
%! assert (all (isfinite (w(:))) && min (page_diagonals (r)(:)) > 0);
