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

%!function tf = throws_host_error (f)
%!  try
%!    f ();
%!    tf = false;
%!  catch err
%!    tf = strcmp (err.identifier, "samplekit:resample_systematic:hostResult");
%!  end_try_catch
%!endfunction

%!test  # systematic: one rand (1, 1) per call; U = 0.5 is the deterministic walk
%! r = seeded (41);
%! cases = cell (60, 3);
%! for trial = 1:60
%!   n = randi (50);
%!   w = rand (1, n) .* (rand (1, n) > 0.3);
%!   if (! any (w)) w(randi (n)) = 1; endif
%!   cases(trial, :) = {w, randi(80), rand()};
%! endfor
%! c = scripted_host ();              # from here rand is the script
%! for trial = 1:60
%!   [w, m, u] = cases{trial, :};
%!   n = numel (w);
%!   host_stream ("load", "rand", 0.5);
%!   assert (resample_systematic (w, 1, m), resample_deterministic (w, 1, m));
%!   host_stream ("load", "rand", u);
%!   y = resample_systematic (w, 1, m);
%!   e = w / sum (w) * m;
%!   counts = accumarray (y(:), 1, [n 1])';
%!   assert (all (counts == floor (e) | counts == ceil (e)));
%!   assert (all (diff (y) >= 0) && all (w(y) > 0));
%!   assert (host_stream ("calls", "rand"), {[1 1]});
%! endfor
%! host_stream ("load", "rand", 0.7);
%! assert (size (resample_systematic ([1 2], 0)), [0 0]);   # drawn also when empty
%! assert (host_stream ("consumed", "rand"), 1);

%!test  # systematic: slot k takes the first index whose cumulative count reaches k + U
%! c = scripted_host ();
%! w = [0 1 1 2];                     # cumulative expected counts 0 1 2 4 for M = 4
%! host_stream ("load", "rand", 0);   # k + 0 is reached at 0 by the zero weight
%! assert (resample_systematic (w, 1, 4), [1 2 3 4]);
%! host_stream ("load", "rand", 1 - 2^-53);
%! assert (resample_systematic (w, 1, 4), [2 3 4 4]);
%! host_stream ("load", "rand", 0.25);
%! assert (resample_systematic ([3 1], 1, 4), [1 1 1 2]);
%! for bad = {1, -0.1, NaN}
%!   host_stream ("load", "rand", bad{1});
%!   assert (throws_host_error (@() resample_systematic ([1 2], 3)));
%! endfor

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

%!## Plain transcriptions of the four schemes, one comparison per step, to
%!## hold the compiled searches and walks to the same bits.
%!function t = total_in_order (w)
%!  t = 0;
%!  for i = 1:numel (w)
%!    t = w(i) + t;
%!  endfor
%!endfunction

%!function k = first_reaching (c, x)   # c non-decreasing; n when none reaches
%!  k = min (sum (c(:) < x(:)', 1)' + 1, numel (c));
%!endfunction

%!function y = multinomial_reference (w, u)
%!  c = cumsum (w(:)) / total_in_order (w);
%!  c(end) = 1;
%!  y = first_reaching (c, u);
%!endfunction

%!function [y, r] = residual_copies (w, count)
%!  total = total_in_order (w);
%!  r = zeros (numel (w), 1);
%!  copies = zeros (numel (w), 1);
%!  residual = count;
%!  for i = 1:numel (w)
%!    e = (w(i) / total) * count;
%!    r(i) = e - fix (e);
%!    copies(i) = min (fix (e), residual);
%!    residual -= copies(i);
%!  endfor
%!  y = repelem ((1:numel (w))', copies)(:);
%!endfunction

%!function y = residual_draws (w, r, u)
%!  c = cumsum (r / numel (u));
%!  last = find (r > 0, 1, "last");
%!  if (isempty (last)) last = find (w > 0, 1, "last"); endif
%!  c(last:end) = 1;
%!  y = first_reaching (c, u);
%!endfunction

%!function y = carry_walk (w, count, u, carry, stratified)
%!  total = total_in_order (w);
%!  y = repmat (find (w > 0, 1, "last"), count, 1);
%!  filled = 0;
%!  for i = 1:numel (w)
%!    e = (w(i) / total) * count;
%!    if (stratified)
%!      carry = e + carry;
%!      whole = 0;
%!      if (carry >= 1) whole = fix (carry); carry = carry - whole; endif
%!      extra = filled + whole < count && carry >= u(min (filled + whole + 1, count));
%!    else
%!      whole = fix (e);
%!      carry = (e - whole) + carry;
%!      extra = carry >= 1;
%!    endif
%!    carry = carry - extra;
%!    copies = min (whole + extra, count - filled);
%!    y(filled + (1:copies)) = i;
%!    filled += copies;
%!  endfor
%!endfunction

%!test  # the compiled searches and walks give the transcriptions' bits
%! c = seeded (31);
%! for trial = 1:(150 - 135 * instrumented ())
%!   n = randi ([1 400]);
%!   switch (mod (trial, 5))
%!     case 0, w = rand (1, n);
%!     case 1, w = rand (1, n) .* (rand (1, n) < 0.2);      # many zeros
%!     case 2, w = [1, 1e-12 * rand(1, n)];                 # crowded buckets at the top
%!     case 3, w = [1e-12 * rand(1, n), 1];                 # and at the bottom
%!     case 4, w = exp (20 * randn (1, n));                 # spread over many scales
%!   endswitch
%!   if (! any (w)) w(end) = 1; endif
%!   count = randi ([1 600]);
%!   state = rand ("state");
%!   y = resample_multinomial (w, count, 1);
%!   rand ("state", state);
%!   assert (y, multinomial_reference (w, rand (count, 1)));
%!   rand ("state", state);
%!   y = resample_stratified (w, count, 1);
%!   rand ("state", state);
%!   assert (y, carry_walk (w, count, rand (count, 1), 0, true));
%!   assert (resample_deterministic (w, count, 1), carry_walk (w, count, [], 0.5, false));
%!   [copies, r] = residual_copies (w, count);
%!   rand ("state", state);
%!   y = resample_residual (w, count, 1);
%!   rand ("state", state);
%!   assert (y, [copies; residual_draws(w, r, rand(count - numel(copies), 1))]);
%! endfor

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

%!test
%! ## Each resampler's help names the other four under See also, not itself.
%! names = {"resample_multinomial", "resample_residual", "resample_stratified", ...
%!          "resample_systematic", "resample_deterministic"};
%! for k = 1:numel (names)
%!   also = regexp (evalc (["help " names{k}]), "See also:([^.]*)\\.", "tokens", "once");
%!   assert (sort (regexp (also{1}, "resample_\\w+", "match")), sort (names([1:k-1, k+1:end])));
%! endfor

%!test  # deterministic and residual copies across batches of weights, the output ending inside one or not
%! c = seeded (32);
%! for n = [2047 2048 2049 4097 6001]
%!   w = rand (1, n) .* (rand (1, n) < 0.7);
%!   w(end) = 1;
%!   for count = [3, n - 1, 2 * n + 5]
%!     assert (isequal (resample_deterministic (w, count, 1), carry_walk (w, count, [], 0.5, false)), "n %d, count %d", n, count);
%!     [copies, r] = residual_copies (w, count);
%!     state = rand ("state");
%!     y = resample_residual (w, count, 1);
%!     rand ("state", state);
%!     assert (isequal (y, [copies; residual_draws(w, r, rand(count - numel(copies), 1))]), "residual: n %d, count %d", n, count);
%!   endfor
%! endfor
