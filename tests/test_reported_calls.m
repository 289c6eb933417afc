## Calls that fuzzing and a new user's first session found answered
## wrongly: each now ends in a clear error or gives the right result.
## (gig_draws' numerical cases are in test_gig_draws.m, Ctrl-C in
## test_interrupt.m.)

%!test  # mended: classes unchecked for empty results, N-d parameters cut to a page, size messages
%! calls = {
%!   @() truncated_normal_draws (0, 1, 0, struct ([])), "b must be a real double array."
%!   @() gig_draws (1, 1, {}), "psi must be a real double array."
%!   @() polya_gamma_draws (1, ''), "z must be a real double array."
%!   @() polya_gamma_draws (@sin, -0.7, [0 4]), "b must be a real double array."
%!   @() polya_gamma_draws (single (1), 0), "b must be a real double array."
%!   @() exponential_draws ({2}, [0 4]), "mu must be a real number."
%!   @() exponential_draws ('a', [1 0]), "mu must be a real number."
%!   @() scaled_invchi2_draws (1, {}), "nu must be a real number."
%!   @() student_t_draws (struct ([])), "nu must be a real number."
%!   @() gig_draws (ones (2, 3, 2), 1, 1), "lambda must have at most two dimensions."
%!   @() gig_draws (cat (3, 0.5, 50, 5000), 1, 1), "lambda must have at most two dimensions."
%!   @() truncated_normal_draws (0, 1, cat (3, -1, 0), 2), "a must have at most two dimensions."
%!   @() polya_gamma_draws (1, cat (3, 0, 1)), "z must have at most two dimensions."
%!   @() resample_systematic (cat (3, 0, 0, 1), 3, 1), "W must have at most two dimensions."
%!   @() gig_draws (1, 1, 1, 3), "The size must be M and N, or one vector [M N]."
%!   @() truncated_normal_draws (0, 1, 0, 1, 3), "The size must be M and N, or one vector [M N]."
%!   @() gig_draws (1, 1, 1, 2, [3 4]), "N must be a scalar."
%!   @() resample_systematic ([1 2], 3, [2 3]), "N must be a scalar."
%!   @() samplekit_worker_seed (-1, 2), "MASTER must be an integer from 0 to 2^53 - 1."};
%! for k = 1:rows (calls)
%!   message = "no error";
%!   try
%!     calls{k, 1} ();
%!   catch err
%!     message = err.message;
%!   end_try_catch
%!   name = regexp (func2str (calls{k, 1}), '^@\(\) (\w+)', "tokens", "once"){1};
%!   assert (message, [name ": " calls{k, 2}]);
%! endfor

%!test  # mended: weights whose sum overflows are scaled, not refused
%! assert (resample_systematic ([1e308 1e308], 4, 1), [1; 1; 2; 2]);
%! assert (resample_systematic ([realmax realmax 0 realmax], 6, 1), [1; 1; 2; 2; 4; 4]);

%!test  # mended: a rand or randn of one's own that gives NaN ends the call at once
%! c = scripted_host ();
%! calls = {@() dirichlet_draws ([2 3 5], 2), @() truncated_normal_draws (0, 1, [-1 8], [2 Inf]), ...
%!          @() student_t_draws (4, 3, 1), @() exponential_draws (1, 3, 1)};
%! for k = 1:numel (calls)
%!   for bad = [NaN, Inf, -1]
%!     host_stream ("load", "rand", bad * [1 1 1]);
%!     host_stream ("load", "randn", bad * [1 1 1]);
%!     message = "no error";
%!     try
%!       calls{k} ();
%!     catch err
%!       message = err.message;
%!     end_try_catch
%!     assert (! isempty (regexp (message, "The host's randn? returned an unexpected result\\.$", "once")), message);
%!   endfor
%! endfor
