## The four resamplers: their index rules under scripted uniforms, the host
## values each asks for, properties over many seeded weight vectors, and the
## mends (weights validated, never a 0 entry, never past the output).

%!test  # binsgeq through multinomial: W = [2 1 1] gives C = [0.5 0.75 1]
%! c = scripted_host ();
%! host_stream ("load", "rand", [0.3 0.5 0.6 0.75 0.9]);
%! assert (resample_multinomial ([2 1 1], 1, 5), [1 1 2 2 3]);
%! assert (host_stream ("calls", "rand"), {[1 5]});

%!test  # the search over [0.1 0.2 0.3 1]: the first entry reaching x, ties go low
%! c = scripted_host ();
%! host_stream ("load", "rand", [0.25 0.95 0.05 0.2 0.3 0.30000000000000004]);
%! assert (resample_multinomial ([1 1 1 7], 2, 3), [3 1 3; 4 2 4]);

%!test  # zero weights are never found, at either end or inside
%! c = scripted_host ();
%! host_stream ("load", "rand", [1e-300 0.5 1 - 2^-53]);
%! assert (resample_multinomial ([0 1 0 1 0], 1, 3), [2 2 4]);

%!test  # residual: whole copies first, one rand (R, 1) call, never index 2
%! c = scripted_host ();
%! host_stream ("load", "rand", 0.5);
%! assert (resample_residual ([5 2 1], 1, 4), [1 1 2 1]);
%! host_stream ("load", "rand", 0.5 + eps (0.5));
%! assert (resample_residual ([5 2 1], 1, 4), [1 1 2 3]);
%! assert (host_stream ("calls", "rand"), {[1 1]});
%! host_stream ("load", "rand", [0.3 0.7]);
%! assert (resample_residual ([1 1 1], 1, 2), [1 3]);
%! host_stream ("load", "rand", 0.5);
%! assert (resample_residual ([3 1], 1, 2), [1 1]);

%!test  # residual with R = 0 still asks for a 0 x 1 array
%! c = scripted_host ();
%! host_stream ("load", "rand", []);
%! assert (resample_residual ([1 1 1 1]), [1 2 3 4]);
%! assert (resample_residual ([2 1 1], 0), zeros (0, 0));
%! assert (host_stream ("calls", "rand"), {[0 1], [0 1]});

%!test  # stratified: one rand (M, N) call; a uniform equal to the carry takes the copy
%! c = scripted_host ();
%! host_stream ("load", "rand", [0.95 0.3]);
%! assert (resample_stratified ([9 5 6], 1, 2), [2 2]);
%! host_stream ("load", "rand", [0.5 0.9]);
%! assert (resample_stratified ([1 3], 2, 1), [1; 2]);
%! host_stream ("load", "rand", [0.5 + eps(0.5), 0.9]);
%! assert (resample_stratified ([1 3], 2, 1), [2; 2]);
%! host_stream ("load", "rand", [0.7 0.2]);
%! assert (resample_stratified ([1 1 1 1], 1, 2), [2 3]);
%! host_stream ("load", "rand", [0.9 0.9 0.9 0.9]);
%! assert (resample_stratified ([1 1 1 1]), [1 2 3 4]);
%! assert (host_stream ("calls", "rand"), {[1 4]});

%!test  # stratified: a last carry that falls short is filled, not left at 0
%! c = scripted_host ();
%! w = [0.1 0.2 0.3];       # the running carry ends at 0.99999999999999978
%! host_stream ("load", "rand", [1 - 2^-53, 1 - 2^-53]);
%! assert (resample_stratified (w, 1, 2), [2 3]);
%! host_stream ("load", "rand", [1 - 2^-53, 1 - 2^-53]);
%! assert (resample_stratified ([w 0 0], 1, 2), [2 3]);   # the last positive weight

%!test  # deterministic: no host value at all, generator untouched
%! c = scripted_host ();
%! host_stream ("load", "rand", []);
%! assert (resample_deterministic ([1 1 1], 1, 2), [1 3]);
%! assert (resample_deterministic ([1 1], 1, 1), 1);
%! assert (host_stream ("calls", "rand"), {});

%!test  # properties over many seeded weight vectors with zeros
%! c = seeded (21);
%! for trial = 1:200
%!   n = randi (40);
%!   w = rand (1, n) .* (rand (1, n) > 0.3);
%!   if (! any (w)) w(randi (n)) = 1; endif
%!   m = randi (60);
%!   e = w / sum (w) * m;
%!   for f = {@resample_multinomial, @resample_residual, @resample_stratified, @resample_deterministic}
%!     y = f{1} (w, 1, m);
%!     assert (all (y >= 1 & y <= n & y == fix (y)));
%!     assert (all (w(y) > 0));
%!   endfor
%!   y = resample_residual (w, 1, m);
%!   counts = accumarray (y(:), 1, [n 1])';
%!   assert (all (counts >= floor (e)));
%!   copies = sum (floor (e));
%!   assert (all (diff (y(1:copies)) >= 0));
%!   assert (all (diff (resample_stratified (w, 1, m)) >= 0));
%!   y = resample_deterministic (w, 1, m);
%!   assert (all (diff (y) >= 0));
%!   counts = accumarray (y(:), 1, [n 1])';
%!   assert (all (counts == floor (e) | counts == ceil (e)));
%! endfor
%! w = rand (1, 10);
%! state = rand ("state");
%! resample_deterministic (w, 7);
%! assert (rand ("state"), state);

%!test  # multinomial and residual draw with the right frequencies
%! c = seeded (5);
%! w = [0.5 0 2 1.5];
%! y = resample_multinomial (w, 1, 40000);
%! p = accumarray (y(:), 1, [4 1])' / 40000;
%! expected = w / sum (w);
%! assert (all (abs (p - expected) < 5 * sqrt (expected .* (1 - expected) / 40000) + eps));
%! y = resample_residual ([1 1 1], 1, 2);
%! z = arrayfun (@(k) resample_residual ([1 1 1], 1, 2)(2), 1:3000);
%! assert (abs (mean (z == 3) - 1/3) < 5 * sqrt (2/9 / 3000));

%!test  # one input keeps W's shape; M alone gives M x M
%! c = seeded (6);
%! for f = {@resample_multinomial, @resample_residual, @resample_stratified, @resample_deterministic}
%!   assert (size (f{1} (ones (2, 3))), [2 3]);
%!   assert (size (f{1} (ones (2, 3), 3)), [3 3]);
%!   assert (size (f{1} ([1 2], 2.9, 3.7)), [2 3]);
%!   assert (size (f{1} ([1 2], int8 (2), true)), [2 1]);
%!   assert (size (f{1} ([1 2], -0.5)), [0 0]);
%!   assert (f{1} (7), 1);
%! endfor

%!error <Too many output arguments\.> [a, b] = resample_residual (1, 2, 3, 4)
%!error <M must be a scalar\.> resample_stratified ({1}, [2 3])
%!error <M must be a real number\.> resample_deterministic (1, {2})
%!error <N must be a real number\.> resample_residual (1, 2, "x")
%!error <Size arguments must not be empty\.> resample_multinomial (1, [])
%!error <Size arguments must be finite> resample_multinomial (1, NaN)
%!error <Size arguments must be finite> resample_residual (1, 2, Inf)
%!error <Size arguments must be finite> resample_stratified (1, -1)
%!error <Size arguments must be finite> resample_deterministic (1, 2^31)
%!error <Size arguments must be finite> resample_deterministic (1, 65536)
%!error <W must be a real double array\.> resample_multinomial (int32 ([1 2]))
%!error <W must be a real double array\.> resample_residual (single ([1 2]))
%!error <W must be a real double array\.> resample_stratified (sparse ([1 2]))
%!error <W must be a real double array\.> resample_deterministic ([1 2] + 1i)
%!error <W must be a real double array\.> resample_deterministic ({1, 2})
%!error <W must not be empty\.> resample_stratified (zeros (1, 0), 3)
%!error <W must hold finite> resample_multinomial ([1 NaN])
%!error <W must hold finite> resample_residual ([1 Inf])
%!error <W must hold finite> resample_stratified ([0 0])
%!error <W must hold finite> resample_deterministic ([1e308 1e308])
