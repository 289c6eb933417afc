## F = truncated_normal_cdf (X, MU, SIGMA, A, B)
## The CDF of Normal(MU, SIGMA^2) restricted to [A, B], accurate however far
## in a tail the interval lies: an interval below the mean is the mirror
## image of one above it, and above the mean the upper tail probabilities
## Q(t) = erfcx (t / sqrt (2)) exp (-t^2 / 2) / 2 enter only as ratios.
function f = truncated_normal_cdf (x, mu, sigma, a, b)
  z = (x - mu) / sigma;
  alpha = (a - mu) / sigma;
  beta = (b - mu) / sigma;
  if (beta <= 0)
    f = 1 - truncated_normal_cdf (-x, -mu, sigma, -b, -a);
  elseif (alpha < 0)
    phi = @(t) erf (t / sqrt (2));
    f = (phi (z) - phi (alpha)) / (phi (beta) - phi (alpha));
  else
    ## 1 - Q(t) / Q(alpha)
    below = @(t) -expm1 (log (erfcx (t / sqrt (2)) / erfcx (alpha / sqrt (2))) ...
                         - (t - alpha) .* (t + alpha) / 2);
    f = below (z) / below (beta);
  endif
  f = min (max (f, 0), 1);
endfunction
