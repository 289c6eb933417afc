## The batched gamma draws, driven through the test-only module
## gamma_batch_harness as a plug-in drives them from look-ahead windows,
## against rand_gamma one element at a time (rv_harness) on the same
## uniforms: every value's bits and the count of uniforms consumed.

%!function [g, used] = per_value (a, u, count)
%!  ## rand_gamma (a) element after element on the scripted uniforms u, up to
%!  ## count elements or until u runs dry mid-element; used(k) counts the
%!  ## uniforms taken by the first k elements.
%!  c = scripted_host ();
%!  host_stream ("load", "rand", u);
%!  g = used = zeros (0, 1);
%!  while (numel (g) < count)
%!    try
%!      g(end+1, 1) = rv_harness ("gamma", a);
%!    catch
%!      break;
%!    end_try_catch
%!    used(end+1, 1) = host_stream ("consumed", "rand");
%!  endwhile
%!endfunction

%!function same_bits (g, ref, what)
%!  assert (isequal (size (g), size (ref)) && isequal (typecast (g, "uint64"), typecast (ref, "uint64")),
%!          what);
%!endfunction

%!test  # every branch and corner, in windows of every size and split passes
%! s = seeded (11);
%! u = rand (400, 1);
%! u(5:6) = 0.5;                       # y = 0 exactly: the squeeze accepts x = b
%! u([20 37 38 90]) = [1e-300 2^-53 1 - 2^-53 1e-300];   # rejected trials
%! u([61 140 141]) = NaN;              # a broken host
%! shapes = [2.5 2 0.5 1 1 - eps 1e-5 0.001 1.00001 1.000005 1 + eps 3 100 1e5 1e300 ...
%!           5e-6 0 -2 -Inf NaN Inf 2e300];
%! ## [window, piece]: 1 is a host that gives values one by one, 2 and 3 are
%! ## below one boosted element's need, pieces split the trial pass.
%! windows = [1 1; 2 1; 3 3; 5 2; 8 3; 64 7; 4096 1; 4096 4096];
%! for a = shapes
%!   [ref, used] = per_value (a, u, 60);
%!   for k = 1:rows (windows)
%!     what = sprintf ("shape %.17g, window %d, piece %d", a, windows(k, :));
%!     [g, consumed] = gamma_batch_harness (a, u, numel (ref), windows(k, 1), windows(k, 2));
%!     same_bits (g, ref, what);
%!     assert (consumed, used(end), what);
%!   endfor
%! endfor

%!test  # seeded streams: the same bits, and the generator where rand_gamma leaves it
%! s = seeded (0);
%! for seed = 1:(6 - 4 * instrumented ())
%!   for a = [2.5 2 1.7 30 0.5 0.05]
%!     rand ("state", seed);
%!     u = rand (6000, 1);
%!     rand ("state", seed);
%!     ref = arrayfun (@(k) rv_harness ("gamma", a), (1:700)');
%!     after = rand ("state");
%!     [g, consumed] = gamma_batch_harness (a, u, 700, 4096, 1000);
%!     same_bits (g, ref, sprintf ("seed %d, shape %g", seed, a));
%!     rand ("state", seed);
%!     rand (consumed, 1);
%!     assert (isequal (rand ("state"), after));
%!   endfor
%! endfor

%!test  # the million-trial cap: NaN after exactly 10^6 rejections, across windows
%! r = 1e-300;                         # x < 0: every such trial is rejected
%! cases = {2.5, [r(ones (2e6, 1)); 0.5; 0.5],        [NaN; 1.5], 2e6 + 2;
%!          2.5, [r(ones (2e6 - 2, 1)); 0.5; 0.5],    1.5,        2e6;
%!          1,   [0.25; r(ones (2e6, 1)); 0.5; 0.5; 0.5], [NaN; 0.5], 2e6 + 4};
%! for k = 1:rows (cases)
%!   [a, u, expected, used] = cases{k, :};
%!   for window = [1 7 4096]
%!     [g, consumed] = gamma_batch_harness (a, u, numel (expected), window, window);
%!     assert (g, expected);
%!     assert (consumed, used);
%!   endfor
%! endfor
