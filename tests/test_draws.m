## mean_dof_gamma_draws, student_t_draws and exponential_draws: the order of
## host values, the choice of construction, the size rule, and seeded
## checks against exact CDFs.

%!test  # gamma by mean: ((G * 2) * s) / nu per element, storage order
%! c = scripted_host ();
%! host_stream ("load", "rand", [0.5 0.5 0.45 0.5]);
%! y = mean_dof_gamma_draws ([1 2; 3 4], [-1 4; 6 0]);
%! g6 = gamma_reference (3, [0.5 0.5]);
%! g4 = gamma_reference (2, [0.45 0.5]);
%! assert (y(1, 1), ((-0.5 * 2) * 1) / -1);       # shape below 1e-5: s up to rounding
%! assert (y(2, 1), ((g6 * 2) * 3) / 6);
%! assert (y(1, 2), ((g4 * 2) * 2) / 4);
%! assert (isnan (y(2, 2)));
%! host_stream ("load", "rand", [0.5 0.5]);
%! assert (mean_dof_gamma_draw (3, 6), ((g6 * 2) * 3) / 6);
%! host_stream ("load", "rand", []);
%! assert (isnan (mean_dof_gamma_draws (2, [NaN Inf])));

%!test  # t: one randn array first, then per element by nu = 1, other, 2, 1
%! c = scripted_host ();
%! z = [0.3 -1.2 0.7 2.0];
%! host_stream ("load", "randn", [z, -0.5, 4]);
%! host_stream ("load", "rand", [0.5 0.5 0.3]);
%! y = student_t_draws ([1 2; 3 1]);
%! g = gamma_reference (1.5, [0.5 0.5]);
%! assert (y(1), z(1) / -0.5);
%! assert (y(2), (z(2) * sqrt (3)) / sqrt (g * 2));
%! assert (y(3), 1.4142135623730951 * (0.3 - 0.5) / sqrt (0.3 - 0.3 * 0.3));
%! assert (y(4), z(4) / 4);
%! assert (host_stream ("calls", "randn"), {[2 2], [1 1], [1 1]});
%! assert (host_stream ("calls", "rand"), {[1 1], [1 1], [1 1]});

%!test  # nu = 2 everywhere: twelve normals asked for, then twelve uniforms
%! c = scripted_host ();
%! host_stream ("load", "randn", zeros (12, 1));
%! u = (1:12) / 13;
%! host_stream ("load", "rand", u);
%! y = student_t_draws (2, 3, 4);
%! assert (y(:)', 1.4142135623730951 * (u - 0.5) ./ sqrt (u - u .* u));
%! assert (host_stream ("calls", "randn"), {[3 4]});
%! assert (host_stream ("consumed", "rand"), 12);

%!test  # nu just above 1 takes the gamma construction; NaN and Inf end at once
%! c = scripted_host ();
%! host_stream ("load", "randn", [1.5 1.5 1.5]);
%! host_stream ("load", "rand", [0.5 0.5 0.5]);
%! y = student_t_draws ([1.0000000001, NaN, Inf]);
%! nu = 1.0000000001;
%! a = nu / 2;                                     # power branch: u, then shape 1 + a
%! g = gamma_reference (1 + a, [0.5 0.5]) * 0.5 ^ (1 / a);
%! assert (y(1), (1.5 * sqrt (nu)) / sqrt (g * 2));
%! assert (host_stream ("consumed", "rand"), 3);
%! assert (isnan (y(2:3)));
%! host_stream ("load", "randn", 2);
%! host_stream ("load", "rand", []);
%! assert (student_t_draws (1e-6), (2 * sqrt (1e-6)) / sqrt (5e-7 * 2), eps);
%! host_stream ("load", "randn", 2);
%! assert (isnan (student_t_draws (0)));

%!test  # exponential: the unit-mean path gives the general formula's values
%! c = scripted_host ();
%! u = [0.1 0.5 0.9 0.25 1e-300 0.999];
%! host_stream ("load", "rand", u);
%! a = exponential_draws (1, 2, 3);
%! host_stream ("load", "rand", u);
%! b = exponential_draws (ones (2, 3));
%! assert (a, b);
%! assert (a(:)', -log (u));
%! host_stream ("load", "rand", u);
%! assert (exponential_draws ([1 2 3; 4 5 6])(:)', (-[1 4 2 5 3 6]) .* log (u));
%! assert (host_stream ("calls", "rand"), {[2 3]});
%! host_stream ("load", "rand", []);
%! assert (size (exponential_draws (NaN, 0, 3)), [0 3]);
%! assert (size (exponential_draws (zeros (0, 0))), [0 0]);
%! assert (host_stream ("calls", "rand"), {[0 3], [0 0]});

%!test  # a user's rand or randn that returns the wrong size is refused
%! c = bad_host ();
%! for f = {@() exponential_draws (1, 2, 2), @() student_t_draws (3, 2, 2), ...
%!          @() resample_multinomial ([1 2], 2)}
%!   try
%!     f{1} ();
%!     error ("accepted");
%!   catch err
%!     assert (! isempty (regexp (err.message, "The host's randn? returned an unexpected result\\.$")));
%!   end_try_catch
%! endfor

%!test  # seeded: gamma by mean against its CDF
%! c = seeded (51);
%! for p = [2, 5; 10, 0.7; 0.5, 3]'
%!   s = p(1);  nu = p(2);
%!   y = mean_dof_gamma_draws (s, nu, 3000, 1);
%!   dkw_check (y, @(x) gammainc (x / (2 * s / nu), nu / 2));
%! endfor

%!test  # seeded: Student-t for nu = 1, 2, 4 and 0.6 against its CDF
%! c = seeded (52);
%! for nu = [1, 2, 4, 0.6]
%!   dkw_check (student_t_draws (nu, 4000, 1), @(t) t_cdf (t, nu));
%! endfor
%! y = student_t_draws (repmat ([1; 4], 1, 3000));
%! dkw_check (y(1, :), @(t) t_cdf (t, 1));
%! dkw_check (y(2, :), @(t) t_cdf (t, 4));

%!test  # seeded: exponential with scalar and per-element means
%! c = seeded (53);
%! dkw_check (exponential_draws (2.5, 4000, 1), @(x) 1 - exp (-x / 2.5));
%! y = exponential_draws (repmat ([0.5; 3], 1, 4000));
%! dkw_check (y(1, :), @(x) 1 - exp (-x / 0.5));
%! dkw_check (y(2, :), @(x) 1 - exp (-x / 3));

%!error <nu must be a real number\.> student_t_draws ({4})
%!error <nu must not be empty\.> student_t_draws ([], 2, 2)
%!error <mu must be a real double array\.> exponential_draws (single ([1 2]))
%!error <mu must be a real number\.> exponential_draws (1i)
%!error <mu must not be empty\.> exponential_draws (zeros (1, 0), 1, 1)
%!error <Size arguments must be finite> exponential_draws (1, -1, 2)
%!error <Size arguments must be finite> student_t_draws (1, NaN, 2)
%!error <Size arguments must not be empty\.> student_t_draws (1, 2, [])
%!error <Size information is inconsistent\.> mean_dof_gamma_draws (1, ones (3, 1), 3, 2)
%!error <Wrong number of input arguments\.> [a, b] = mean_dof_gamma_draw (1)
