## The host streams: every plug-in that draws gives the same bits, and
## leaves rand and randn in the same states and seeds, whether Octave's
## builtins serve its values in process or a pass-through rand/randn on the
## path (tests/stream, no queue loaded) is called by name for each value.

%!function calls = drawing_calls ()
%!  x = [0.3; 1.2; 2.5; 3.1; 4.8];
%!  w = [0.2 0 1.5 0.7 0.1];
%!  calls = {@() scaled_invchi2_draws(2, 5, 40, 3), ...
%!           @() scaled_invchi2_draws([1 2; 3 4], [0.5 1; 7 1e-6]), ...
%!           @() scaled_invchi2_draw(1.5, 0.7), ...
%!           @() mean_dof_gamma_draws(2, 5, 0, 3), ...          # draws nothing
%!           @() mean_dof_gamma_draws(1, [0.5; 2; 9], 3, 1), ...
%!           @() mean_dof_gamma_draw(2, 5), ...
%!           @() student_t_draws([1 2; 3 0.5; 4 1], 3, 2), ...  # randn array, rand and randn values
%!           @() student_t_draws(4, 0, 0), ...
%!           @() exponential_draws(2, 7, 1), ...
%!           @() simplex_weight_draws(4, 3), ...
%!           @() gig_ars_draw(2, 3, 1.5, 0.5, 2), ...
%!           @() gig_draws([0.5 -1 0.2], 2, 3), ...
%!           @() bayes_boot_mean(x, 4, w'), ...
%!           @() bayes_boot_percentiles(x, [10 50 90], 3), ...
%!           @() resample_multinomial(w, 6, 1), ...
%!           @() resample_residual(w, 9, 1), ...
%!           @() resample_stratified(w, 5, 2), ...
%!           @() resample_systematic(w, 0, 0)};                  # one uniform all the same
%!endfunction

## Runs the calls from a seed, with draws of the user's own after each
## call, on the older generators after rand ("seed", x) when asked.
%!function [out, states] = session (calls, seed, by_name, older)
%!  if (by_name)
%!    c = scripted_host ();
%!  endif
%!  rand ("state", seed);
%!  randn ("state", seed + 1);
%!  if (older)
%!    rand ("seed", seed);
%!    randn ("seed", seed + 1);
%!  endif
%!  out = cell (numel (calls), 2);
%!  for k = 1:numel (calls)
%!    out{k, 1} = calls{k} ();
%!    out{k, 2} = [rand(2, 1); randn(1, 1)];
%!  endfor
%!  states = {rand("state"), randn("state"), rand("seed"), randn("seed")};
%!endfunction

%!function check_same (calls, seeds, older)
%!  for seed = seeds
%!    [a, sa] = session (calls, seed, false, older);
%!    [b, sb] = session (calls, seed, true, older);
%!    assert (a, b);
%!    assert (isequal (sa, sb));
%!  endfor
%!endfunction

%!test  # every plug-in that draws, on the state-based generator
%! s = seeded (0);
%! check_same (drawing_calls (), [1 42 2024], false);

%!test  # the same after rand ("seed", x): Octave's older generators
%! s = seeded (0);
%! check_same (drawing_calls (), [3 77], true);
%! rand ("state", 0);                  # back to the state-based generator
%! randn ("state", 0);

%!test  # whole arrays across the in-process chunk of 2^20 values, both generators
%! s = seeded (0);
%! big = {@() exponential_draws(1, 2^20 + 3, 1), @() resample_multinomial([1 2], 1, 2^20 - 1)};
%! check_same (big, 5, false);
%! check_same (big, 5, true);
%! rand ("state", 0);
%! randn ("state", 0);

%!test  # mixed values and arrays, also in a call that fails after drawing
%! s = seeded (0);
%! for ending = {"", "error"}
%!   for pattern = {"uuNuunUnnuNu", "nnUnuuuNuU", "uUnNuun"}
%!     for by_name = [false true]
%!       c = [];
%!       if (by_name) c = scripted_host (); endif
%!       rand ("state", 9);
%!       randn ("state", 10);
%!       try
%!         v = stream_harness ("draws", pattern{1}, ending{1});
%!       catch err
%!         assert (err.message, "stream_harness: failed after drawing");
%!         v = [];
%!       end_try_catch
%!       clear c;
%!       results{by_name + 1} = {v, rand("state"), randn("state"), rand(3, 1)};
%!     endfor
%!     assert (isequal (results{1}, results{2}));
%!   endfor
%! endfor

%!test  # a rand or randn of the user's alone sends both through the interpreter
%! s = seeded (0);
%! stream = fullfile (fileparts (which ("scripted_host")), "..", "stream");
%! ## Each pattern draws in process first, then meets the user's function.
%! for shadowed = {"rand", "randn"; "nnnuUNnu", "uuunNUun"}
%!   warning ("off", "Octave:shadowed-function");
%!   folder = tempname ();
%!   mkdir (folder);
%!   copyfile (fullfile (stream, [shadowed{1} ".m"]), folder);
%!   copyfile (fullfile (stream, "host_stream.m"), folder);
%!   for by_name = [false true]
%!     if (by_name) addpath (folder); endif
%!     rand ("state", 4);
%!     randn ("state", 5);
%!     results{by_name + 1} = {stream_harness("draws", shadowed{2}), rand("state"), randn("state")};
%!     if (by_name) rmpath (folder); endif
%!   endfor
%!   confirm_recursive_rmdir (false, "local");
%!   rmdir (folder, "s");
%!   assert (isequal (results{1}, results{2}));
%! endfor

%!function restart (k, older)
%!  rand ("state", k);
%!  if (older)
%!    rand ("seed", k);
%!  endif
%!endfunction

%!test  # look-ahead windows keep exactly the values consumed
%! s = seeded (0);
%! cases = [1 1 1 0; 2 8 2 3; 2 8 5 1; 2 8 8 2; 3 3 3 1; 1 5000 4000 2; 4 4096 100 0];
%! for mode = {"twister", "older", "by name"}
%!   twister = strcmp (mode{1}, "twister");
%!   older = strcmp (mode{1}, "older");
%!   for k = 1:rows (cases)
%!     [needed, wanted, used, after] = num2cell (cases(k, :)){:};
%!     n_expected = min (wanted, 4096);
%!     if (! twister)
%!       [used, n_expected] = deal (needed);   # a window of the needed values only
%!     endif
%!     restart (k, older);
%!     c = [];
%!     if (strcmp (mode{1}, "by name")) c = scripted_host (); endif
%!     [v, n] = stream_harness ("ahead", needed, wanted, used, after);
%!     clear c;
%!     v = [v; rand(2, 1)];
%!     restart (k, older);
%!     assert (v, rand (used + after + 2, 1));
%!     assert (n, n_expected);
%!   endfor
%! endfor
%! rand ("state", 0);
