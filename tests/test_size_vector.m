## The output size as one vector [M N] in place of M, N, for the array
## draws: the same bits and generator states as the M, N form, the same
## checks and messages, and every other single argument in that slot
## "Wrong number of input arguments." (the original draws) or a message
## about the size (those beyond them).

%!function [y, states] = draw (f, args)
%!  s = seeded (3);
%!  y = f (args{:});
%!  states = {rand("state"), randn("state")};
%!endfunction

%!function check_message (f, args, text)
%!  message = "no error";
%!  try
%!    f (args{:});
%!  catch err
%!    message = err.message;
%!  end_try_catch
%!  if (! strcmp (message, [func2str(f) ": " text]))
%!    error ("%s, last argument a %s %s: %s", func2str (f), mat2str (size (args{end})), ...
%!           class (args{end}), message);
%!  endif
%!endfunction

%!test
%! draws = {@scaled_invchi2_draws, {2, 5}
%!          @mean_dof_gamma_draws, {2, 5}
%!          @student_t_draws, {4}
%!          @exponential_draws, {2}
%!          @gig_draws, {0.5, 2, 3}
%!          @truncated_normal_draws, {0, 1, -1, 2}};
%! # vector, M, N: the forms that must give the same draws
%! same = {[3 4], 3, 4;  [3; 4], 3, 4;  int8([2 5]), 2, 5;  single([2.9 3.5]), 2, 3;
%!         logical([1 1]), 1, 1;  uint64([0 5]), 0, 5;  [1 0], 1, 0};
%! wrong_count = {[3 4 5], 3, {3, 4}, "ab", complex([3 4]), sparse([3 4]), cat(3, 3, 4), ...
%!                ones(2, 2), zeros(1, 0)};
%! out_of_range = {[NaN 4], [Inf 1], [-1 4], [65536 65536], [2^31 1]};
%! for k = 1:rows (draws)
%!   [f, params] = draws{k, :};
%!   for j = 1:rows (same)
%!     [a, sa] = draw (f, [params, same(j, 1)]);
%!     [b, sb] = draw (f, [params, same(j, 2:3)]);
%!     assert (isequal (a, b) && isequal (sa, sb), "%s, form %d", func2str (f), j);
%!   endfor
%!   array = params;
%!   array{1} = repmat (params{1}, 3, 4);
%!   [a, sa] = draw (f, [array, {[3 4]}]);
%!   [b, sb] = draw (f, [array, {3, 4}]);
%!   assert (isequal (a, b) && isequal (sa, sb));
%!   check_message (f, [array, {[4 3]}], "Size information is inconsistent.");
%!   whole = any (strcmp (func2str (f), {"gig_draws", "truncated_normal_draws"}));
%!   wrong_form = {"Wrong number of input arguments.", "The size must be M and N, or one vector [M N]."}{whole + 1};
%!   for v = wrong_count
%!     check_message (f, [params, v], wrong_form);
%!   endfor
%!   for v = out_of_range
%!     check_message (f, [params, v], ...
%!       "Size arguments must be finite and non-negative, with fewer than 2^31 elements in all.");
%!   endfor
%!   if (whole)
%!     check_message (f, [params, {[3 4], 5}], "M must be a scalar.");
%!   else
%!     assert (size (draw (f, [params, {[3 4], 5}])), [3 5]);   # M, N: M's first element
%!   endif
%! endfor
