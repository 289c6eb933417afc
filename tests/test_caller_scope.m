## A rand or randn in the calling file (a subfunction) or in the caller's
## private folder is what a call of "rand" by name reaches from there, so
## the plug-ins must call it instead of drawing in process. The shadows
## here pass through to the builtins and count their calls: the bits and
## states stay those of a direct call, and the counts show the way taken.

%!test  # callers' subfunctions and private functions shadow the builtins
%! s = seeded (0);
%! here = fileparts (fileparts (which ("seeded")));   # tests/
%! dirs = {fullfile(here, "scope"), fullfile(here, "scope", "private_shadow")};
%! addpath (dirs{:});
%! restore = onCleanup (@() rmpath (dirs{:}));
%! ## {function, arguments, generators it draws from: [rand randn]}
%! cases = {"scaled_invchi2_draw", {2, 5}, [1 0]; "gig_ars_draw", {2, 3, 1.5, 0.5, 2}, [1 0];
%!          "exponential_draws", {2, 3, 4}, [1 0]; "student_t_draws", {4, 300, 1}, [1 1];
%!          "bayes_boot_mean", {randn(20, 2), 5}, [1 0]; "truncated_normal_draws", {0, 1, -1, 2, 50, 1}, [0 1]};
%! for caller = {"caller_with_subfunctions", "caller_with_private"}
%!   for k = 1:rows (cases)
%!     [f, args, uses] = cases{k, :};
%!     rand ("state", k);
%!     randn ("state", k);
%!     expected = feval (f, args{:});
%!     states = {rand("state"), randn("state")};
%!     rand ("state", k);
%!     randn ("state", k);
%!     [y, calls] = feval (caller{1}, f, args{:});
%!     assert (y, expected);
%!     assert (isequal ({rand("state"), randn("state")}, states), "%s from %s: states", f, caller{1});
%!     assert (calls(uses == 1) > 0, "%s from %s drew in process", f, caller{1});
%!   endfor
%! endfor
%! clear -global samplekit_shadow_calls
