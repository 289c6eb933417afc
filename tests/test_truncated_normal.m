## truncated_normal_draws against its exact CDF in every region, the host
## values each region's method takes, and per-element parameters.

%!test  # DKW at p = 0.001 in every region: centre, narrow, one-sided, both far tails
%! c = seeded (21);
%! regions = [0 1 -1 2;            # normal proposals around the mean
%!            0 1 -0.5 1;          # uniform around the mean
%!            0 1 -1e-9 1e-9;      # the same, 1e-9 sigma wide
%!            0 1 0.2 3;           # folded normal, above the mean
%!            3 2 -Inf 2;          # folded normal, below it
%!            0 1 1 1.3;           # uniform, one side
%!            -2 0.5 -1.5 -1.4;    # uniform, below the mean
%!            0 1 0.7 Inf;         # Rayleigh just past its threshold
%!            0 1 5 5.5;           # Rayleigh truncated above
%!            0 1 8 Inf;
%!            0 1 40 Inf;
%!            0 1 -Inf -40;
%!            0 1 40 40 + 1e-9;    # narrow and far out
%!            1e6 1 1e6 + 3 1e6 + 3.1;
%!            10 3 -Inf Inf];
%! for k = 1:rows (regions)
%!   p = num2cell (regions(k, :));
%!   x = truncated_normal_draws (p{:}, 4000, 1);
%!   where = sprintf ("region %s", mat2str (regions(k, :)));
%!   assert (all (isfinite (x) & x >= p{3} & x <= p{4}), where);
%!   dkw_check (x, @(x) truncated_normal_cdf (x, p{:}));
%! endfor

%!test  # each method's host values and arithmetic, boundaries included
%! c = scripted_host ();
%! e = -log1p (-0.3);
%! z8 = sqrt (8 * 8 + 2 * e);
%! offset = 2 * e / (8 + z8);
%! tail = 8 + offset;                     # Rayleigh, accepted (0.9 z8 <= 8)
%! ## {mu, sigma, a, b, randn values, rand values, expected draw}
%! cases = {0, 1, -1, 2, [3 2], [], 2;                  # above b, then exactly b
%!          0, 1, -1, 2, [-1.5 -1], [], -1;             # exactly a is kept
%!          0, 1, 0.2, 3, [-0.1 -1.5], [], 1.5;         # folded: |z| below a, then |z|
%!          0, 1, -3, -0.2, [0.1 1.5], [], -1.5;        # folded to the left
%!          0, 1, -0.5, 1, [], [0.5 0.99 0.2 0.5], -0.5 + 1.5 * 0.2;   # uniform: reject, accept
%!          0, 1, 1, 1.3, [], [0.5 0.01], 1 + (1.3 - 1) * 0.5;
%!          0, 1, 8, Inf, [], [0.3 0.999 0.3 0.9], tail; # Rayleigh: reject, accept
%!          0, 1, -Inf, -8, [], [0.3 0.9], -tail;       # its mirror image
%!          5, 2, 21, Inf, [], [0.3 0.9], 21 + 2 * offset};
%! for k = 1:rows (cases)
%!   [mu, sigma, a, b, z, u, expected] = cases{k, :};
%!   host_stream ("load", "randn", z);
%!   host_stream ("load", "rand", u);
%!   y = truncated_normal_draws (mu, sigma, a, b);
%!   used = [host_stream("consumed", "randn"), host_stream("consumed", "rand")];
%!   assert ([k, y, used], [k, expected, numel(z), numel(u)]);
%! endfor

%!test  # per-element parameters in storage order give the bits of scalar calls
%! mu = [0 1; 2 3; 0 -1];
%! sigma = [1 1; 0.5 2; 1 1];
%! a = [-1 8; 2.1 -Inf; 40 -2];
%! b = [2 Inf; 2.2 0; Inf -1.9];
%! c = seeded (22);
%! y = truncated_normal_draws (mu, sigma, a, b);
%! clear c;
%! c = seeded (22);
%! expected = arrayfun (@truncated_normal_draws, mu, sigma, a, b);
%! assert (y, expected);
%! clear c;
%! c = seeded (22);
%! assert (truncated_normal_draws (mu, sigma, a, b, 3, 2), expected);

%!test  # extreme scales: every draw finite and inside [a, b]
%! c = seeded (23);
%! cases = [0 1e300 1 2; 0 1e-320 1 2; 0 1e308 0 Inf; 0 1 1e200 Inf; ...
%!          1e308 1 -Inf -1e308; 0 1 realmax Inf; 0 1 -Inf -realmax; -1e308 1e308 -Inf Inf];
%! for k = 1:rows (cases)
%!   p = num2cell (cases(k, :));
%!   x = truncated_normal_draws (p{:}, 200, 1);
%!   assert (all (isfinite (x) & x >= p{3} & x <= p{4}), sprintf ("case %d", k));
%! endfor
%! x = truncated_normal_draws (0, 1e300, 1, 2, 4000, 1);   # flat over the interval
%! dkw_check (x, @(x) x - 1);
