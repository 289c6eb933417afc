## polya_gamma_draws against PG's exact moments, Laplace transform and
## distribution function, and the stated use of the host's rand and randn.

%!test  # mean, variance and Laplace transform at three t, each within 5 standard errors
%! ## 150 checks at 5 standard errors: a family false-alarm rate of about 1e-4.
%! ## The sample variance of these skewed laws is itself skewed, so its check
%! ## allows 6 estimated standard errors.
%! c = seeded (21);
%! n = 30000;
%! for b = [0.5 1 2 3.7 10 50]
%!   for z = [0 0.5 2 10 -3]
%!     x = polya_gamma_draws (b, z, n, 1);
%!     u = abs (z) / 2;
%!     if (z == 0)
%!       m = b / 4;
%!       v = b / 24;
%!     else
%!       m = b / (2 * z) * tanh (z / 2);
%!       v = b / (2 * abs (z) ^ 3) * (tanh (u) - u * sech (u) ^ 2);
%!     endif
%!     what = sprintf ("b %g z %g", b, z);
%!     assert (abs (mean (x) - m) < 5 * sqrt (v / n), ["mean, " what]);
%!     fourth = mean ((x - mean (x)) .^ 4);
%!     assert (abs (var (x) - v) < 6 * sqrt ((fourth - var (x) ^ 2) / n), ["variance, " what]);
%!     for t = [0.5 4 20] / b
%!       laplace = (cosh (z / 2) / cosh (sqrt ((z ^ 2 / 2 + t) / 2))) ^ b;
%!       e = exp (-t * x);
%!       assert (abs (mean (e) - laplace) < 5 * std (e) / sqrt (n), sprintf ("Laplace t %g, %s", t, what));
%!     endfor
%!   endfor
%! endfor

%!test  # the distribution function, by DKW at p = 0.001 each
%! c = seeded (22);
%! for bz = [0.05 0; 0.5 0; 0.8 0; 1 0; 1.7 0; 0.3 1; 1 3; 1.7 3; 0.45 6]'
%!   dkw_check (polya_gamma_draws (bz(1), bz(2), 4000, 1), @(x) pg_cdf (x, bz(1), bz(2)));
%! endfor

%!test  # each branch takes its stated host values, in order
%! c = scripted_host ();
%! t1 = 0.64;
%! k = pi * pi / 8;
%! ig = 0.2 / (1 + 0.1 + sqrt (0.2 + 0.01));  # IG(1/5, 1) root for Z = 1
%! ## {b, z, rand queue, randn queue, expected draw}
%! cases = {
%!   1, 0, [0.9 exp(-1) 0.5], [], (t1 + 1 / k) / 4;                     # right
%!   1, 0, [0.9 exp(-1e-9) 0.999 0.9 exp(-1) 0.5], [], (t1 + 1 / k) / 4;  # right, rejected first
%!   1, 0, [0.1 exp(-3) exp(-0.1) exp(-0.5) exp(-1) 0.5], [], (1 / 1.65) ^ 2 / 4;  # left, tail pair rejected first
%!   0.5, 0, [0.01 0.5], [0.1 -2], (0.5 / -2) ^ 2 / 4;                   # fraction: |Z| >= 0.447
%!   1, 10, [0.5 0.3 0.5], 1, ig / 4;                                    # inverse Gaussian root
%!   1, -10, [0.5 0.9 0.5], 1, 0.2 * (0.2 / ig) / 4;                     # its mirror mu^2 / root
%!   2.3, 0, [0.9 exp(-1) 0.5 0.9 exp(-2) 0.5 0.01 0.5], 1, ((t1 + 1 / k) + (t1 + 2 / k) + 0.09) / 4;
%!   0.8, 0, [0.01 0.5 0.01 0.5], [1 -1], (0.16 + 0.16) / 4};            # two pieces of 0.4
%! for j = 1:rows (cases)
%!   [b, z, uniforms, normals, expected] = cases{j, :};
%!   host_stream ("load", "rand", uniforms);
%!   host_stream ("load", "randn", normals);
%!   assert (polya_gamma_draws (b, z), expected, 4 * eps (expected));
%!   assert (isequal ([host_stream("consumed", "rand"), host_stream("consumed", "randn")],
%!                    [numel(uniforms), numel(normals)]), sprintf ("case %d", j));
%! endfor

%!function u = series_u (h, x)
%!  n = (0:40)';
%!  c = cumprod ([1; (n(2:end) - 1 + h) ./ n(2:end)]) .* (2 * n + h) / h;
%!  s = sum ((-1) .^ n .* c .* exp (-2 * n .* (n + h) ./ x), 1);
%!  u = exp (pi ^ 2 * x / 8 - h ^ 2 ./ (2 * x)) * 2 ^ h * h ./ sqrt (2 * pi * x .^ 3) .* s;
%!endfunction

%!test  # the right hat of a fractional piece: u = exp(pi^2 x / 8) f(x | h) falls beyond t
%! ## on all that the exponential proposal reaches from Octave's rand, x <= t +
%! ## 53 log(2) / (pi^2 / 8) = 31.03, for h from tiny to 1/2; the folded
%! ## integral that gives u agrees with the series where doubles sum it well.
%! x = 1.25:0.01:31.1;
%! for h = [1e-300 1e-6 0.01 0.1 0.2 0.25 1/3 0.4 0.45 0.49 0.5]
%!   u = jstar_folded (h, x);
%!   assert (all (diff (u) < 0), sprintf ("h %g", h));
%!   near = x <= 6;
%!   assert (u(near), series_u (h, x(near)), -1e-12);
%! endfor

%!test  # far right, a fractional piece follows the exact density, not its double sums
%! ## y = (1 -+ 1e-12) f / a_0 must be accepted (rejected); at x = 31 double
%! ## sums of the series keep no digit of f / a_0, 3e-16 of terms near 1.
%! c = scripted_host ();
%! t = 1.25;
%! k = pi ^ 2 / 8;
%! right = 1 - eps / 2;
%! second = t + log (2) / k;   # a second trial, accepted: y is tiny
%! for h = [1e-6 0.3 0.5]
%!   for e = [53 * log(2), 29, 23]
%!     u_exp = exp (-e);
%!     x = t + -log (u_exp) / k;
%!     share = jstar_folded (h, x) / (jstar_folded (h, t) * (1 + 1e-12));  # f / a_0 over the hat
%!     for d = [-1e-12 1e-12]
%!       host_stream ("load", "rand", [right u_exp (1 + d) * share right 0.5 1e-9]);
%!       expected = merge (d < 0, x, second) / 4;
%!       what = sprintf ("h %g x %g d %g", h, x, d);
%!       assert (abs (polya_gamma_draws (h, 0) - expected) <= 4 * eps (expected), what);
%!       assert (host_stream ("consumed", "rand") == merge (d < 0, 3, 6), what);
%!     endfor
%!   endfor
%! endfor

%!test  # Octave's generators in blocks: the same bits and states as one call per value
%! c = seeded (23);
%! b = [0.3 1 3.7 50; 0.8 2 0.5 1];
%! z = [0 -2 4 0.5; 12 0 -0.3 3];
%! for per_value = [false true]
%!   rand ("state", 23);
%!   randn ("state", 24);
%!   if (per_value)
%!     s = scripted_host ();   # pass-through: no queue loaded
%!   endif
%!   y{per_value + 1} = polya_gamma_draws (repmat (b, 1, 25), repmat (z, 1, 25));
%!   states{per_value + 1} = {rand("state"), randn("state")};
%!   clear s;
%! endfor
%! assert (y{1}, y{2});
%! assert (isequal (states{1}, states{2}));
