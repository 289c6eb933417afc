## scaled_invchi2_draws / scaled_invchi2_draw: the draw formula, the order in
## which elements consume host values, the two-parameter size rule and the
## argument checks added to it.

%!test  # one element: (s2 * nu / 2) / G, G of shape nu / 2
%! c = scripted_host ();
%! host_stream ("load", "rand", [0.5 0.5 0.5 0.5]);
%! g = gamma_reference (2, [0.5 0.5]);
%! assert (scaled_invchi2_draws (3, 4), (3 * 4 / 2) / g);
%! assert (scaled_invchi2_draw (3, 4), (3 * 4 / 2) / g);
%! assert (host_stream ("consumed", "rand"), 4);

%!test  # per-element parameters are read at the element's storage position
%! c = scripted_host ();
%! host_stream ("load", "rand", [0.5 0.5 0.45 0.5]);
%! y = scaled_invchi2_draws ([1 2; 3 4], [-1 4; 6 0]);
%! g6 = gamma_reference (3, [0.5 0.5]);     # element 2 draws first
%! [g4, used] = gamma_reference (2, [0.45 0.5]);
%! assert (used, 2);
%! assert (y(1, 1), 1);              # nu / 2 below 1e-5: the shape itself, no draw
%! assert (y(2, 1), (3 * 6 / 2) / g6);
%! assert (y(1, 2), (2 * 4 / 2) / g4);
%! assert (isnan (y(2, 2)));         # nu = 0: 0 / 0
%! assert (host_stream ("consumed", "rand"), 4);
%! assert (host_stream ("calls", "rand"), {[1 1], [1 1], [1 1], [1 1]});

%!test  # NaN, infinite, enormous, tiny and zero nu end at once without drawing
%! c = scripted_host ();
%! host_stream ("load", "rand", []);
%! y = scaled_invchi2_draws (2, [NaN Inf; 4e300 -Inf; 1.9e-5 -0; -1e-300 0]);
%! assert (y, [NaN NaN; 2 NaN; 2 NaN; 2 NaN], 4 * eps);
%! assert (host_stream ("consumed", "rand"), 0);

%!test  # empty outputs draw nothing and read no value (classes are checked)
%! c = scripted_host ();
%! host_stream ("load", "rand", []);
%! assert (size (scaled_invchi2_draws (1, zeros (0, 0))), [0 0]);
%! assert (size (scaled_invchi2_draws ([], [], 0, 3)), [0 3]);
%! assert (size (scaled_invchi2_draws (1, 1, -0.5, 2)), [0 2]);
%! assert (size (scaled_invchi2_draws (zeros (0, 4), int8 (1))), [0 4]);
%! assert (host_stream ("consumed", "rand"), 0);

%!test  # sizes: truncation, classes that read as numbers, shapes that match
%! c = seeded (1);
%! assert (size (scaled_invchi2_draws (1, 2, 2.9, 3.2)), [2 3]);
%! assert (size (scaled_invchi2_draws (1, 2, int32 (2), true)), [2 1]);
%! assert (size (scaled_invchi2_draws (ones (3, 1), 2, 3, 1)), [3 1]);
%! assert (size (scaled_invchi2_draws (1, 2 * ones (2, 3, 2))), [2 3]);
%! assert (size (scaled_invchi2_draws (single (1), int16 (2), 2, 2)), [2 2]);

%!error <Wrong number of input arguments\.> scaled_invchi2_draws (1, 2, 3, 4, 5)
%!error <Wrong number of input arguments\.> scaled_invchi2_draws ()
%!error <Size information is inconsistent\.> scaled_invchi2_draws (ones (3, 1), ones (3, 1), 3, 2)
%!error <Size information is inconsistent\.> scaled_invchi2_draws (1, ones (3, 1), 1, 3)
%!error <Size information is inconsistent\.> scaled_invchi2_draws (ones (3, 1), 1, NaN, 1)
%!error <M must be a real number\.> scaled_invchi2_draws (1, 1, {2}, 2)
%!error <N must be a real number\.> scaled_invchi2_draws (1, 1, 2, 2i)
%!error <N must be a real number\.> scaled_invchi2_draws (1, 1, 2, "a")
%!error <Size arguments must not be empty\.> scaled_invchi2_draws (1, 1, 2, zeros (1, 0))
%!error <Size arguments must be finite and non-negative, with fewer than 2\^31 elements in all\.> scaled_invchi2_draws (1, 1, NaN, 2)
%!error <Size arguments must be finite> scaled_invchi2_draws (1, 1, 2, Inf)
%!error <Size arguments must be finite> scaled_invchi2_draws (1, 1, -1, 2)
%!error <Size arguments must be finite> scaled_invchi2_draws (1, 1, 2^31, 1)
%!error <Size arguments must be finite> scaled_invchi2_draws (1, 1, 2^31 - 1, 2)
%!error <Size arguments must be finite> scaled_invchi2_draws (1, 1, -2^40, -2^40)
%!error <s2 must be a real double array\.> scaled_invchi2_draws (int32 ([1 2]), 1)
%!error <s2 must be a real double array\.> scaled_invchi2_draws (single ([1 2]), 1)
%!error <s2 must be a real double array\.> scaled_invchi2_draws (sparse ([1 2]), 1)
%!error <nu must be a real double array\.> scaled_invchi2_draws (1, [1 2] + 1i)
%!error <nu must be a real double array\.> scaled_invchi2_draws (1, {1, 2})
%!error <nu must be a real number\.> scaled_invchi2_draws (1, {2})
%!error <nu must be a real number\.> scaled_invchi2_draws (1, struct ())
%!error <s2 must be a real number\.> scaled_invchi2_draws (sparse (1), 2)
%!error <nu must not be empty\.> scaled_invchi2_draws (1, [], 2, 2)
%!error <s2 must not be empty\.> scaled_invchi2_draw (zeros (1, 0), 2)

%!test  # the identifier names the function and the reason
%! try
%!   scaled_invchi2_draws (1, 1, -1, 2);
%! catch err
%!   assert (err.identifier, "samplekit:scaled_invchi2_draws:sizeRange");
%! end_try_catch

%!test  # distribution: the scaled inverse-chi-square CDF, several shape branches
%! c = seeded (11);
%! for nu = [5, 1, 0.5]
%!   s2 = 2;
%!   y = scaled_invchi2_draws (s2, nu, 4000, 1);
%!   dkw_check (y, @(x) gammainc (nu * s2 ./ (2 * x), nu / 2, "upper"));
%! endfor
%! nu = [3; 8];
%! y = scaled_invchi2_draws (1.5, repmat (nu, 1, 3000));
%! for k = 1:2
%!   dkw_check (y(k, :), @(x) gammainc (nu(k) * 1.5 ./ (2 * x), nu(k) / 2, "upper"));
%! endfor
