## gig_draws against the distribution's exact moments, CDFs and limits, and
## the stated use of the host's rand.

%!test  # mean and variance over lambda -50..50 and omega 1e-8..1e4
%! c = seeded (11);
%! n = 20000;
%! worst = 0;
%! for lambda = [-50 -5 -1 -0.5 -0.01 0 0.01 0.3 0.5 0.9 1 1.5 5 50]
%!   for omega = [1e-8 1e-3 0.1 0.4 0.6 1 2 10 1e4]
%!     for alpha = [1 3.7]
%!       chi = omega * alpha;
%!       psi = omega / alpha;
%!       m = arrayfun (@(k) gig_moment (k, lambda, chi, psi), 1:4);
%!       variance = m(2) - m(1) ^ 2;
%!       central4 = m(4) - 4 * m(1) * m(3) + 6 * m(1) ^ 2 * m(2) - 3 * m(1) ^ 4;
%!       x = gig_draws (lambda, chi, psi, n, 1);
%!       assert (all (x > 0));
%!       z_mean = (mean (x) - m(1)) / sqrt (variance / n);
%!       z_var = (var (x) - variance) / sqrt (max (central4 - variance ^ 2, 2 * variance ^ 2) / n);
%!       worst = max ([worst, abs(z_mean), abs(z_var)]);
%!       assert (abs (z_mean) < 5, sprintf ("mean, lambda %g omega %g alpha %g", lambda, omega, alpha));
%!       assert (abs (z_var) < 6, sprintf ("variance, lambda %g omega %g alpha %g", lambda, omega, alpha));
%!     endfor
%!   endfor
%! endfor

%!test  # the distribution itself for each method, by numerical integration
%! c = seeded (12);
%! sets = [3 2 0.5;       # ratio-of-uniforms about the mode
%!         0.2 4 1;       # the same, lambda below 1 with omega 2
%!         0.5 0.7 0.7;   # ratio-of-uniforms about 0
%!         0.2 0.05 0.05; # three-piece hat
%!         0 1e-4 3;      # three-piece hat, lambda 0, very peaked
%!         -2 1 3;        # negative lambda
%!         -0.5 2 1e4];   # inverse Gaussian, omega > 1
%! for k = 1:rows (sets)
%!   p = num2cell (sets(k, :));
%!   dkw_check (gig_draws (p{:}, 4000, 1), @(x) gig_cdf (x, p{:}));
%! endfor

%!test  # chi = 0: gamma; psi = 0: inverse gamma
%! c = seeded (13);
%! for shape = [0.3 1 4]
%!   x = gig_draws (shape, 0, 0.5, 4000, 1);
%!   dkw_check (x, @(x) gammainc (x * 0.25, shape));
%!   y = gig_draws (-shape, 3, 0, 4000, 1);
%!   dkw_check (y, @(y) gammainc (1.5 ./ y, shape, "upper"));
%! endfor

%!test  # per-element parameters follow storage order
%! c = seeded (14);
%! lambda = repmat ([1; 50], 1, 5000);
%! chi = repmat ([1; 4], 1, 5000);
%! x = gig_draws (lambda, chi, 2);
%! for r = 1:2
%!   m = gig_moment (1, lambda(r, 1), chi(r, 1), 2);
%!   v = gig_moment (2, lambda(r, 1), chi(r, 1), 2) - m ^ 2;
%!   assert (abs (mean (x(r, :)) - m) < 5 * sqrt (v / 5000));
%! endfor

%!test  # uniforms come in rand (min (65536, 2 r + 32), 1) blocks; none for an empty result
%! c = seeded (15);
%! state = rand ("state");
%! gig_draws (3, 1, 1, 0, 7);
%! assert (rand ("state"), state);
%! gig_draws (3, 1, 1, 10, 1);        # about 14 trials of two uniforms: one block of 52
%! after = rand ("state");
%! rand ("state", state);
%! rand (52, 1);
%! assert (rand ("state"), after);
%! rand ("state", state);
%! a = gig_draws (0.2, 0.05, 0.05, 1, 3);
%! rand ("state", state);
%! assert (gig_draws ([0.2 0.2 0.2], 0.05, 0.05), a);

%!test  # parameters at the edges of the doubles: each call draws its law, Inf and 0 only where its mass lies
%! c = seeded (16);
%! n = 4000;
%! share = @(hits, p) assert (abs (mean (hits) - p) <= 5 * sqrt (p * (1 - p) / n));
%! s = (-800:0.01:800)';      # log x for lambda 0, chi = psi = 1e-154: density exp (-1e-154 cosh (s))
%! log_cdf = cumtrapz (s, exp (-1e-154 * cosh (s))) / (2 * besselk (0, 1e-154));
%! cases = {
%!   {0, 1e-154, 1e-154},    @(x) dkw_check (log (x), @(t) interp1 (s, log_cdf, t))
%!   {0.5, 1e-310, 3},       @(x) dkw_check (x, @(x) gammainc (1.5 * x, 0.5))    # gamma to within 1e-77
%!   {0.5, 5e-324, 3},       @(x) dkw_check (x, @(x) gammainc (1.5 * x, 0.5))
%!   {1e308, 2, 3},          @(x) assert (x, repmat (2 / 3 * 1e308, n, 1), -4 * eps)  # spread below 1e-145
%!   {-1e308, 2, 3},         @(x) assert (x, repmat (1e-308, n, 1), -4 * eps)
%!   {1, 0, 1e-308},         @(x) share (isinf (x), exp (-realmax * 1e-308 / 2))  # P(X > realmax)
%!   {-1e-300, 1, 0},        @(x) assert (all (x == Inf))                       # P(X <= realmax) < 1e-290
%!   {1e-300, 0, 1},         @(x) assert (all (x == 0))
%!   {-1, 5e-324, 0},        @(x) share (x == 0, exp (-1))     # 2^-1075 / G rounds to 0 where G >= 1
%!   {3, 1e-320, 1e-290},    @(x) dkw_check (x, @(x) gammainc (x * 5e-291, 3))   # omega 1e-305: the gamma limit
%!   {1 + eps, 1, 1e-150},   @(x) dkw_check (x, @(x) gammainc (x * 5e-151, 1 + eps))  # was NaN: the rectangle
%! };
%! for k = 1:rows (cases)
%!   p = cases{k, 1};
%!   try
%!     cases{k, 2} (gig_draws (p{:}, n, 1));
%!   catch err
%!     error ("gig_draws with %s: %s", mat2str ([p{:}], 17), err.message);
%!   end_try_catch
%! endfor
%! rand ("state", 17);
%! x = gig_draws ([0.5 1e308 0.5 0.5], 2, 3);
%! rand ("state", 17);
%! assert (x([1 3 4]), gig_draws (0.5, 2, 3, 1, 3));   # the point mass takes no uniform and poisons nothing
%! assert (x(2), 2 / 3 * 1e308, -4 * eps);
