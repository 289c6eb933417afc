## The gamma-family array plug-ins with one nu for every element draw their
## gamma values in blocks of host uniforms (src/random_variates/gamma_run):
## they give the bits of the same call with nu given per element (one
## rand_gamma per element), and leave rand and randn in the same states,
## across block edges, for every gamma route, on the state-based and the
## older generators, and through a rand of the user's on the path.

%!function out = both_forms (f, s, nu, n, older)
%!  ## {scalar-nu result, its states; per-element result, its states}
%!  out = cell (1, 4);
%!  for form = 1:2
%!    rand ("state", n);
%!    randn ("state", n + 1);
%!    if (older)
%!      rand ("seed", n);
%!      randn ("seed", n + 1);
%!    endif
%!    if (form == 2) nu = nu * ones (n, 1); endif
%!    if (isempty (s)) y = f (nu, n, 1); else y = f (s, nu, n, 1); endif
%!    out(2 * form - 1:2 * form) = {y, {rand("state"), randn("state"), rand("seed"), randn("seed")}};
%!  endfor
%!endfunction

%!function tf = same_bits (a, b)
%!  tf = isequal (size (a), size (b)) && isequal (typecast (a(:), "uint64"), typecast (b(:), "uint64"));
%!endfunction

## [nu n]: Best's trials (nu > 2.00002: two uniforms a trial, a block of
## 32768 holds 16384 elements' least need), one uniform an element (nu
## just above 2), a boost uniform and trials (nu <= 2: three at least),
## shapes that draw nothing.
%!test  # the bits and states of one rand_gamma per element, on both generators
%! c = seeded (0);
%! cases = [5 1; 5 2; 5 3; 5 16384; 5 16385; 5 40001; 30 20000; 4 16385; 3 7; ...
%!          2.00001 32768; 2.00001 32769; 2.00001 65537; ...
%!          1.4 10922; 1.4 10923; 1.4 25000; 2 11000; 0.01 5; 1e-6 5; NaN 3; 1e301 2];
%! plugins = {@scaled_invchi2_draws, 2.5; @mean_dof_gamma_draws, [0.5 3]; @student_t_draws, []};
%! for older = [false true]
%!   for k = 1:rows (cases)
%!     for p = 1:rows (plugins)
%!       [f, s] = plugins{p, :};
%!       if (numel (s) > 1) s = s(1 + mod (0:cases(k, 2) - 1, 2))'; endif  # s per element
%!       out = both_forms (f, s, cases(k, 1), cases(k, 2), older);
%!       assert (same_bits (out{1}, out{3}) && isequal (out{2}, out{4}),
%!               "%s, nu %.17g, n %d, older %d", func2str (f), cases(k, :), older);
%!     endfor
%!   endfor
%! endfor
%! rand ("state", 0);                  # back to the state-based generator
%! randn ("state", 0);

%!test  # a rand of the user's sees one call per uniform, across a block edge
%! c = seeded (0);
%! calls = {@() scaled_invchi2_draws(2, 5, 16385, 1), @() student_t_draws(1.4, 10923, 1), ...
%!          @() mean_dof_gamma_draws(2, 2.00001, 3, 1)};
%! if (instrumented ())
%!   calls = calls(3);  # the block edge costs 40,000 interpreted calls there
%! endif
%! for k = 1:numel (calls)
%!   for by_name = [false true]
%!     h = [];
%!     if (by_name) h = scripted_host (); endif  # no queue: each call falls through
%!     rand ("state", k);
%!     randn ("state", k);
%!     y = calls{k} ();
%!     clear h;
%!     runs{by_name + 1} = {y, rand("state"), randn("state")};
%!   endfor
%!   assert (same_bits (runs{1}{1}, runs{2}{1}) && isequal (runs{1}(2:3), runs{2}(2:3)), "call %d", k);
%! endfor
