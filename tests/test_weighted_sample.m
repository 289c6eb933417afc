## weighted_sample: the key rule on scripted uniforms (ties, zero weights,
## the values asked for), against a transcription on seeded streams, and
## the law of successive sampling: first-position, inclusion and ordered
## frequencies against exact probabilities.

## The contract written out in Octave: keys -log (u) / w for positive
## weights, the K smallest in increasing order, ties to the smaller index
## (Octave's sort is stable).
%!function idx = transcribed (w, k, u)
%!  idx = zeros (k, columns (u));
%!  positive = find (w(:) > 0);
%!  for s = 1:columns (u)
%!    [~, order] = sort (-log (u(positive, s)) ./ w(positive)(:));
%!    idx(:, s) = positive(order(1:k));
%!  endfor
%!endfunction

%!test  # equal keys go to the smaller index; zero weights take a uniform and are skipped
%! c = scripted_host ();
%! host_stream ("load", "rand", [0.5 0.9 0.25 0.5]);
%! assert (weighted_sample ([1 0 2 1], 3), [1 3 4]);   # keys log 2, -, log 2, log 2
%! host_stream ("load", "rand", [0.25 0.5 0.5]);
%! assert (weighted_sample ([1 1 1], 3), [2 3 1]);
%! host_stream ("load", "rand", [1 - 2^-53, 0, 0.5]);   # a u of 0 is key Inf
%! assert (weighted_sample ([3 1 2], 3), [1 3 2]);
%! assert (host_stream ("consumed", "rand"), 3);
%! host_stream ("load", "rand", 0.5 * ones (1, 7));   # keys that overflow to Inf tie too
%! assert (weighted_sample ([1e-320 * ones(1, 6), 1], 3), [7 1 2]);

%!test  # N uniforms per sample, also for K = 0; one rand (N, M) call for small samples
%! c = scripted_host ();
%! host_stream ("load", "rand", 0.5 * ones (1, 20));
%! assert (size (weighted_sample ([0 1 2 0 3], 0, 4)), [0 4]);
%! assert (host_stream ("calls", "rand"), {[5 4]});
%! host_stream ("load", "rand", []);
%! weighted_sample ([1 2], 2, 0);
%! weighted_sample ([], 0, 3);
%! assert (host_stream ("calls", "rand"), {});

%!test  # blocks of whole samples from a rand of one's own
%! c = scripted_host ();
%! host_stream ("load", "rand", 0.5 * ones (1, 3e5));
%! weighted_sample (ones (1, 1e5), 1, 3);
%! assert (host_stream ("calls", "rand"), {[1e5 1], [1e5 1], [1e5 1]});
%! host_stream ("load", "rand", 0.5 * ones (1, 4e4 * 5));
%! weighted_sample (ones (1, 4e4), 1, 5);
%! assert (host_stream ("calls", "rand"), {[4e4 3], [4e4 2]});

%!test  # a value outside [0, 1) from a rand of one's own is refused, also for a zero weight
%! c = scripted_host ();
%! for bad = [-0.1, 1, 1.5, NaN]
%!   host_stream ("load", "rand", [0.5 bad 0.5]);
%!   assert (throws (@() weighted_sample ([1 0 1], 1), "samplekit:weighted_sample:hostResult"));
%! endfor

%!test  # seeded: the transcription's bits, with and without selections of the buffer
%! r = seeded (21);
%! w1 = rand (1, 3000) .* (rand (1, 3000) > 0.2);
%! w2 = [zeros(1, 10), 2 .^ (40 * randn (1, 500))];   # keys over many orders of magnitude
%! w3 = rand (200, 1) .^ 4;
%! cases = {w1, 1, 3; w1, 7, 2; w1, 2000, 1; w2, 25, 4; w2, 500, 2; w3, 60, 30; w3, 200, 1};
%! for t = 1:rows (cases)
%!   [w, k, m] = cases{t, :};
%!   rand ("state", 50 + t);
%!   expected = transcribed (w, k, rand (numel (w), m));
%!   rand ("state", 50 + t);
%!   assert (weighted_sample (w, k, m), expected);
%!   rand ("state", 50 + t);
%!   if (m == 1) assert (weighted_sample (w, k), expected'); endif
%! endfor

## The law, under fixed seeds. Each check below has a false-alarm rate of
## 0.001 at most: Pearson's chi-square at p = 0.001, and the five inclusion
## frequencies each within 3.9 binomial standard errors (two-sided 1e-4
## each, Bonferroni over five).
%!test  # the first index drawn has probability w / sum (w)
%! r = seeded (22);
%! w = [0.5 3 0 1 2 0.25];
%! idx = weighted_sample (w, 3, 30000);
%! assert (chi_square_p (accumarray (idx(1, :)', 1, [6 1]), w / sum (w)) > 1e-3);

%!test  # inclusion frequencies against successive sampling's, by enumeration
%! r = seeded (23);
%! w = [1 2 3 4 0.5];
%! k = 3;
%! tuples = perms (1:5)(:, 1:k);
%! tuples = unique (tuples, "rows");          # the 60 ordered draws of 3 of 5
%! p = ones (rows (tuples), 1);
%! for j = 1:k
%!   drawn = w(tuples(:, 1:j-1));
%!   p .*= w(tuples(:, j))' ./ (sum (w) - sum (reshape (drawn, rows (tuples), j - 1), 2));
%! endfor
%! inclusion = arrayfun (@(i) sum (p(any (tuples == i, 2))), 1:5);
%! r_samples = 20000;
%! idx = weighted_sample (w, k, r_samples);
%! counts = accumarray (idx(:), 1, [5 1])';
%! se = sqrt (r_samples * inclusion .* (1 - inclusion));
%! assert (all (abs (counts - r_samples * inclusion) <= 3.9 * se));
%! assert (abs (sum (p) - 1) < 1e-12);

%!test  # ordered pairs: the whole law of successive sampling for K = 2 of 4
%! r = seeded (24);
%! w = [1 2 3 4];
%! [a, b] = ndgrid (1:4);
%! pairs = [a(:), b(:)](a(:) != b(:), :);
%! p = w(pairs(:, 1))' / 10 .* w(pairs(:, 2))' ./ (10 - w(pairs(:, 1))');
%! idx = weighted_sample (w, 2, 24000);
%! [~, which] = ismember (idx', pairs, "rows");
%! assert (chi_square_p (accumarray (which, 1, [12 1]), p) > 1e-3);
