## gig_ars_draw: the log-density, its record and the start of the sampler,
## pinned through the first candidate; parameters outside the contract.

%!function [h, d] = logp_reference (x, r)
%!  e = exp (x);
%!  d = r(2) / 2 - e * r(3) / (2 * r(1)) + r(4) * r(5) / (2 * e);
%!  h = x * r(2) / 2 - e * r(3) / (2 * r(1)) - r(4) * r(5) / (2 * e);
%!endfunction

%!function x = first_candidate (r, x0, w, u1, v)
%!  [h, d] = logp_reference (x0, r);  best = h;  x = x0;
%!  while (d < 1e-9 || h > best - 0.1)
%!    x = x - (w + (x0 - x));  [h, d] = logp_reference (x, r);  best = max (best, h);
%!  endwhile
%!  a0 = d;  b0 = h - x * d;
%!  [h, d] = logp_reference (x0, r);  x = x0;
%!  while (d > -1e-9 || h > best - 0.1)
%!    x = x + (w + (x - x0));  [h, d] = logp_reference (x, r);  best = max (best, h);
%!  endwhile
%!  a1 = d;  b1 = h - x * d;
%!  z = (b1 - b0) / (a0 - a1);
%!  top = a0 * z + b0;
%!  m0 = exp (a0 * z + b0 - top) / a0;
%!  m1 = -exp (a1 * z + b1 - top) / a1;
%!  if ((m0 + m1) * u1 - m0 >= 0)
%!    x = z + log (v) / a1;
%!  else
%!    x = z + log (v) / a0;
%!  endif
%!endfunction

%!test  # the record (1/a0, a1 - a2*a4, a1, a2, (1/a3)*a4), start log(1/a0)
%! c = scripted_host ();
%! for args = {[2, 3, 1.5, 0.5, 2], [0.7, 5, 0, 2, 3], [3, 0.2, 2, -4, -1]}
%!   a = args{1};
%!   r = [1 / a(1), a(2) - a(3) * a(5), a(2), a(3), (1 / a(4)) * a(5)];
%!   w = log (1 + 1 / sqrt (a(2)));
%!   for u1 = [0.2, 0.8]
%!     host_stream ("load", "rand", [u1, 0.3, 1e-300]);
%!     y = gig_ars_draw (a(1), a(2), a(3), a(4), a(5));
%!     assert (y, exp (-first_candidate (r, log (r(1)), w, u1, 0.3)));
%!     assert (host_stream ("consumed", "rand"), 3);
%!   endfor
%! endfor

%!test  # outside the contract the call ends at once with a clear error
%! bad = {[1e-320, 1, 1, 1, 1], [1, 1e300, 1, 1, 1], [1, 1, 1e200, 1e-200, 1e200], ...
%!        [1, 1, Inf, 1, 1], [1, 1, 1, -Inf, 1], [1, 1, 0, 0, 0], [-1, 1, 1, 1, 1]};
%! for k = 1:numel (bad)
%!   a = num2cell (bad{k});
%!   try
%!     gig_ars_draw (a{:});
%!     error ("accepted %s", mat2str (bad{k}));
%!   catch err
%!     assert (err.identifier, "samplekit:gig_ars_draw:arguments");
%!     assert (err.message, ["gig_ars_draw: Arguments must satisfy a0 > 0, a1 > 0, ", ...
%!                           "a3 ~= 0 and a2*a4/a3 >= 0, all finite."]);
%!   end_try_catch
%! endfor

%!test  # the edges of the contract still sample: psi = 0 and tiny chi
%! c = seeded (4);
%! assert (gig_ars_draw (1, 2, 0, 1, 5) > 0);       # a2 * a4 = 0: gamma-like
%! assert (gig_ars_draw (1e-8, 1, 1, 1, 1) > 0);
%! assert (gig_ars_draw (1e8, 1, 1, 1, 1) > 0);
%! y = arrayfun (@(k) gig_ars_draw (1, 4, 0, 1, 1), 1:2000);   # 1 / Gamma(2, rate 2)
%! dkw_check (y, @(t) gammainc (2 ./ t, 2, "upper"));
