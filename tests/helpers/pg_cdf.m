## F = pg_cdf (X, B, Z)
## The Polya-Gamma PG(B, Z) distribution function at X, from the
## alternating series of J*(B, |Z| / 2) = 4 PG(B, Z) integrated term by term:
## each term of the density is a tilted Levy density, whose integral is an
## inverse Gaussian distribution function. Accurate to about 1e-13 for B up
## to a few and moderate Z.
function f = pg_cdf (x, b, z)
  c = abs (z) / 2;
  y = 4 * x(:).';
  n = (0:ceil ((c * max (y) + 40 * sqrt (max (y))) / 2) + 5)';
  m = 2 * n + b;
  coef = (-1) .^ n .* exp (gammaln (n + b) - gammaln (b) - gammaln (n + 1));
  below = exp (-2 * n * c) .* normcdf_lower ((c * y - m) ./ sqrt (y));
  mirror = exp (b * c - c ^ 2 * y / 2 - m .^ 2 ./ (2 * y)) .* erfcx ((c * y + m) ./ sqrt (2 * y)) / 2;
  f = reshape ((1 + exp (-2 * c)) ^ b * sum (coef .* (below + mirror), 1), size (x));
  f(x <= 0) = 0;
endfunction

function p = normcdf_lower (q)
  p = erfc (-q / sqrt (2)) / 2;
endfunction
