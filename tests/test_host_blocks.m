## Host values taken from Octave's generator in process, and the bootstrap's
## merged rand (n, k) calls, give the same bits, and leave rand and randn
## in the same states, as one host call per value. The per-value path is
## forced by the pass-through rand/randn of tests/stream (a function file
## shadowing the builtin, with no queue loaded).

%!function [y, states] = run_draw (f, seed, per_value)
%!  if (per_value)
%!    c = scripted_host ();           # pass-through: no queue is loaded
%!  endif
%!  rand ("state", seed);
%!  randn ("state", seed + 100);
%!  y = f ();
%!  states = {rand("state"), randn("state")};
%!endfunction

%!function check_same (f)
%!  seeds = [1 7 42];
%!  for seed = seeds(1:(3 - 2 * instrumented ()))
%!    [a, sa] = run_draw (f, seed, false);
%!    [b, sb] = run_draw (f, seed, true);
%!    assert (a, b);
%!    assert (isequal (sa, sb));
%!  endfor
%!endfunction

%!test  # sizes around the block boundaries and the set-up threshold
%! s = seeded (0);
%! for n = [0 1 63 64 400 1023 1024 1025 3000](1:end - instrumented ())
%!   check_same (@() scaled_invchi2_draws (2, 5, n, 1));
%!   check_same (@() mean_dof_gamma_draws (1.5, 0.7, 1, n));
%! endfor

## Past the largest block (65536 values), when the host allows it.
%!testif ; ! instrumented ("past the largest block (160,000 interpreted calls)")
%! s = seeded (0);
%! f = @() scaled_invchi2_draws (2, 5, 70000, 1);
%! [a, sa] = run_draw (f, 7, false);
%! [b, sb] = run_draw (f, 7, true);
%! assert (a, b);
%! assert (isequal (sa, sb));

%!test  # a rand of the user's own sees one rand () call per value
%! c = scripted_host ();
%! host_stream ("load", "rand", 0.3 + 0.4 * mod ((1:5000) * 0.618, 1));
%! y = scaled_invchi2_draws (2, 5, 300, 1);
%! calls = host_stream ("calls", "rand");
%! assert (numel (calls), host_stream ("consumed", "rand"));
%! assert (all (cellfun (@(k) isequal (k, [1 1]), calls)));

%!test  # per-element shapes take every gamma branch; t uses rand and randn
%! s = seeded (0);
%! nu = repmat ([0.5; 1e-6; 2; 2.000001; 9; NaN], 1, 400 - 300 * instrumented ());
%! check_same (@() scaled_invchi2_draws (1, nu));
%! for v = {4, 1, 2, repmat([1; 2; 3; 0.5], 1, 300)}
%!   check_same (@() student_t_draws (v{1}, 4, 300));
%! endfor

%!test  # Dirichlet and truncated normal draws mix rand and randn in every region
%! s = seeded (0);
%! check_same (@() dirichlet_draws ([0.5 2 1e-3 4e4], 300));
%! bounds = repmat ([-1 2; 8 Inf; 1 1.1; 0.2 3; -0.5 1], 1, 1, 60);
%! check_same (@() truncated_normal_draws (0, 1, squeeze (bounds(:, 1, :)), squeeze (bounds(:, 2, :))));

%!test  # after rand ("seed", x) Octave's older generator is left undisturbed
%! s = seeded (0);
%! results = cell (1, 2);
%! for per_value = [false true]
%!   if (per_value) c = scripted_host (); endif
%!   rand ("seed", 42);
%!   y = scaled_invchi2_draws (2, 5, 500, 1);
%!   results{per_value + 1} = [y; rand(5, 1)];
%!   clear c;
%! endfor
%! assert (results{1}, results{2});
%! rand ("state", 0);

%!test  # bootstrap replicates merged into rand (n, k) calls: same bits, same state
%! s = seeded (0);
%! x = randn (300, 3);
%! w = rand (300, 1);
%! for b = [0 1 2 3 219 220 500]      # 218 replicates of 300 fill one merged call
%!   check_same (@() bayes_boot_mean (x, b));
%!   check_same (@() bayes_boot_mean (x, b, w));
%!   check_same (@() bayes_boot_percentiles (sort (x(:, 1)), [2.5 50 97.5], b, w));
%! endfor
%! check_same (@() bayes_boot_mean (zeros (0, 2), 5));
%! check_same (@() bayes_boot_mean (randn (70000, 1), 3));   # too long to merge
%! check_same (@() bayes_boot_percentiles ((1:9)', 50, 40));

%!test  # the bootstrap after rand ("seed", x) leaves the older generator undisturbed
%! s = seeded (0);
%! x = randn (50, 2);
%! results = cell (1, 2);
%! for per_value = [false true]
%!   if (per_value) c = scripted_host (); endif
%!   rand ("seed", 42);
%!   y = bayes_boot_mean (x, 100);
%!   results{per_value + 1} = [y(:); rand(5, 1)];
%!   clear c;
%! endfor
%! assert (results{1}, results{2});
%! rand ("state", 0);

%!test  # rand arrays drawn from a copy of the twister: Octave's values and state from any position, zero pairs skipped
%! c = seeded (41);
%! base = [uint32(randi ([0, 2^32 - 1], 624, 1)); 0];
%! ## The state's last word is `left`: the first value, which Octave draws
%! ## itself, takes words 626 - left and 627 - left. Zero words make the
%! ## second value's pair zero (skipped) or its first word alone, inside the
%! ## block or spanning the twist (word 1 of the next state is 0 where
%! ## words 1, 2 and 398 are).
%! cases = {1, []; 2, []; 3, []; 300, []; 623, []; 624, []; 300, 328; 300, [328 329]; 4, 624; 4, [624 1 2 398]};
%! for k = 1:rows (cases)
%!   state = base;
%!   state(end) = cases{k, 1};
%!   state(cases{k, 2}) = 0;
%!   for n = [64 65 311 312 313 1000 5001]
%!     rand ("state", state);
%!     expected = rand (n, 1);
%!     expected_state = rand ("state");
%!     rand ("state", state);
%!     assert (isequal (stream_harness ("array", n), expected), "left %d, n %d", cases{k, 1}, n);
%!     assert (isequal (rand ("state"), expected_state), "left %d, n %d: state", cases{k, 1}, n);
%!   endfor
%! endfor
