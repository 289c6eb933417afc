## dkw_check (X, CDF)
## Fails unless the empirical distribution of X stays within the
## Dvoretzky-Kiefer-Wolfowitz band around CDF (a function handle) at a
## false-alarm rate of 0.001.
function dkw_check (x, cdf)
  x = sort (x(:));
  n = numel (x);
  f = cdf (x);
  distance = max (max (abs ((1:n)' / n - f)), max (abs ((0:n-1)' / n - f)));
  bound = sqrt (log (2 / 0.001) / (2 * n));
  if (! (distance <= bound))
    error ("dkw_check: distance %.4g exceeds the 0.001 band %.4g (n = %d)", distance, bound, n);
  endif
endfunction
