## F = gig_cdf (X, LAMBDA, CHI, PSI)
## The generalised inverse Gaussian CDF at X (chi, psi > 0) by numerical
## integration in log x, of the density relative to its mode: a dense
## trapezoid rule between the points, quadgk for the mass left of them and
## for the normaliser.
function f = gig_cdf (x, lambda, chi, psi)
  mode = ((lambda - 1) + sqrt ((lambda - 1) ^ 2 + chi * psi)) / psi;
  log_g = @(t) (lambda - 1) * t - (chi * exp (-t) + psi * exp (t)) / 2;
  top = log_g (log (mode)) + log (mode);
  h = @(t) exp (log_g (t) + t - top);       # density of log X, mode near 1
  total = quadgk (h, -Inf, log (mode)) + quadgk (h, log (mode), Inf);
  [sorted, order] = sort (log (x(:)));
  grid = unique ([linspace(sorted(1), sorted(end), 200001)'; sorted]);
  cumulative = quadgk (h, -Inf, grid(1)) + cumtrapz (grid, h (grid));
  f = zeros (size (x));
  f(order) = interp1 (grid, cumulative, sorted) / total;
endfunction
