## categorical_draws: the draw rule on scripted uniforms (bits, boundaries,
## the rounding fallback, the values asked for), against a transcription
## on seeded streams whatever the thread count, and frequencies against the
## exact probabilities.

## The contract written out in Octave: for each column, w = exp (l - max),
## C their running sums; draw u gives the first k with C(k) > u * C(K),
## else the last k with w(k) > 0. A u below 0 draws as 0 does.
%!function y = transcribed (logp, u)
%!  if (isvector (logp)) logp = logp(:); endif
%!  w = exp (logp - max (logp));
%!  c = cumsum (w);
%!  [~, from_end] = max (flipud (w > 0));
%!  last = rows (w) + 1 - from_end;
%!  y = zeros (size (u));
%!  for d = 1:rows (u)
%!    t = u(d, :) .* c(end, :);
%!    t(t < 0) = 0;
%!    k = 1 + sum (c <= t, 1);
%!    none = ! any (c > t, 1);
%!    k(none) = last(none);
%!    y(d, :) = k;
%!  endfor
%!endfunction

%!function n = sets_of (l)   # a vector is one set
%!  n = columns (l);
%!  if (isvector (l)) n = 1; endif
%!endfunction

%!test  # boundaries: C = [1 2 2 3 4], a threshold equal to C(k) goes on; zero weights never drawn
%! c = scripted_host ();
%! logp = [0; 0; -Inf; 0; 0];
%! u = [0 0.25 0.25 - 2^-54 0.5 0.75 1 - 2^-53];
%! host_stream ("load", "rand", u);
%! assert (categorical_draws (logp, 6), [1; 2; 1; 4; 5; 5]);
%! assert (host_stream ("calls", "rand"), {[6 1]});
%! host_stream ("load", "rand", repmat (u, 1, 5));   # four columns side by side, and one more
%! assert (categorical_draws (repmat (logp, 1, 5), 6), repmat ([1; 2; 1; 4; 5; 5], 1, 5));

%!test  # u = 0 draws the first positive weight; a subnormal weight is positive but never drawn
%! c = scripted_host ();
%! logp = repmat ([-Inf 0; 0 -Inf; 0 0; -Inf -Inf], 1, 2);
%! host_stream ("load", "rand", zeros (1, 8));
%! assert (categorical_draws (logp, 2), repmat ([2 1; 2 1], 1, 2));
%! host_stream ("load", "rand", [1 - 2^-53, 0.5]);   # exp (-745.1) is subnormal, absorbed in C
%! assert (categorical_draws ([0; -745.1; -746; -800], 2), [1; 1]);
%! for bad = [1, -0.5, NaN]               # the host layer refuses what rand never gives
%!   host_stream ("load", "rand", [0.5 bad]);
%!   assert (throws (@() categorical_draws ([0 0], 2), "samplekit:categorical_draws:hostResult"));
%! endfor

%!test  # the bits of the rule on scripted uniforms, columns in order, M draws each
%! r = seeded (11);
%! cases = {};
%! for t = 1:40
%!   k = randi (12);
%!   l = [1 30 400](randi (3)) * randn (k, randi (9)) .* (rand (k, 1) < 0.9);   # some past exp's underflow
%!   l(rand (size (l)) < 0.2) = -Inf;
%!   l(randi (k), :) = 0;
%!   m = randi (5) - 1;
%!   sets = sets_of (l);
%!   cases(end+1, :) = {l, m, rand(max (m, 1), sets)};
%! endfor
%! c = scripted_host ();               # from here rand is the script
%! for t = 1:rows (cases)
%!   [l, m, u] = cases{t, :};
%!   host_stream ("load", "rand", u);
%!   if (m == 0)
%!     assert (categorical_draws (l), transcribed (l, u(1, :)));
%!   else
%!     assert (categorical_draws (l, m), transcribed (l, u));
%!   endif
%!   assert (host_stream ("consumed", "rand"), numel (u));
%! endfor

%!test  # thresholds on the exact sums and beside them, where the fast sums must defer
%! r = seeded (15);
%! l = 3 * randn (7, 9);                       # two groups of four columns side by side, one alone
%! c = cumsum (exp (l - max (l)));
%! u = c(sub2ind (size (c), randi (6, 1, 9), 1:9)) ./ c(end, :);
%! u = [u; u + eps(u); u - eps(u)];
%! c = scripted_host ();
%! host_stream ("load", "rand", u);
%! assert (categorical_draws (l, 3), transcribed (l, u));

%!test  # seeded: the transcription's bits on the threaded paths, for 1, 2 and 3 threads
%! saved = getenv ("SAMPLEKIT_THREADS");
%! restore = onCleanup (@() setenv ("SAMPLEKIT_THREADS", saved));
%! r = seeded (12);
%! ## rounds of chunks on the workers; one column longer than a round, on the caller
%! inputs = {randn(10, 2e5), 5 * randn(300, 200), [randn(2e6, 1); -Inf(20, 1)], 20 * randn(256, 103)};
%! draws = [1 3 100 5];
%! for t = 1:numel (inputs)
%!   rand ("state", 40 + t);
%!   expected = transcribed (inputs{t}, rand (draws(t), columns (inputs{t})));
%!   for threads = {"1", "2", "3"}
%!     setenv ("SAMPLEKIT_THREADS", threads{1});
%!     rand ("state", 40 + t);
%!     assert (categorical_draws (inputs{t}, draws(t)), expected);
%!   endfor
%! endfor

## Frequencies: each column's counts against exp (logp) / sum, Pearson's
## chi-square at p = 0.001 for each of the three columns (false alarm under
## 0.003 in all, fixed seed).
%!test  # an ordinary column, one holding -Inf, one spread over 1e300 and realmax
%! r = seeded (13);
%! logp = [log([0.1; 0.2; 0.3; 0.4]), [-Inf; log(3); -Inf; 0], [-1e300; 1e300; 1e300; -realmax]];
%! exact = {[0.1 0.2 0.3 0.4], [0 0.75 0 0.25], [0 0.5 0.5 0]};
%! y = categorical_draws (logp, 20000);
%! for j = 1:3
%!   counts = accumarray (y(:, j), 1, [4 1]);
%!   assert (chi_square_p (counts, exact{j}) > 1e-3, "column %d", j);
%! endfor
