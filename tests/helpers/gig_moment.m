## M = gig_moment (K, LAMBDA, CHI, PSI)
## E[X^K] of the generalised inverse Gaussian distribution (chi, psi > 0):
## sqrt(chi/psi)^K K_{lambda+K}(omega) / K_lambda(omega), omega = sqrt(chi psi).
## The Bessel functions are taken as logarithms, from orders in [0, 2) by
## the upward recurrence K_{v+1} = K_{v-1} + (2 v / omega) K_v, so orders
## up to 50 at omega = 1e-8 do not overflow.
function m = gig_moment (k, lambda, chi, psi)
  omega = sqrt (chi) * sqrt (psi);
  alpha = sqrt (chi) / sqrt (psi);
  m = alpha ^ k * exp (log_besselk (lambda + k, omega) - log_besselk (lambda, omega));
endfunction

function l = log_besselk (nu, x)
  nu = abs (nu);
  start = mod (nu, 1);
  k0 = besselk (start, x, 1);       # scaled by exp (x), which cancels
  l = log (k0);
  ratio = besselk (start + 1, x, 1) / k0;
  for v = start + (1:floor (nu))
    l += log (ratio);
    ratio = 1 / ratio + 2 * v / x;
  endfor
endfunction
