## samplekit example: a Gaussian mixture fitted by Gibbs sampling.
##
##   x(i) ~ N(mu(z(i)), Sigma(z(i))),  z(i) ~ Categorical(w),  i = 1..n
##   w ~ Dirichlet(alpha0),  Sigma(k) ~ inverse-Wishart(psi0, nu0),
##   mu(k) | Sigma(k) ~ N(m0, Sigma(k) / kappa0),  k = 1..K
##
## Each sweep draws the allocations z from their log-probabilities
## (categorical_draws), the weights w from their Dirichlet conditional
## (dirichlet_draws), and each component's covariance from its
## inverse-Wishart conditional (inverse_wishart_draws), then its mean. The
## Cholesky factor C that inverse_wishart_draws returns (Sigma = C' * C)
## gives the next sweep's log-densities and this sweep's mean draw with no
## factorisation of the example's own. On data it makes from three
## components it prints the fit against the truth and saves the fitted
## components over the data beside the trace of the log-likelihood.

addpath (fileparts (mfilename ("fullpath")));
example_setup ();
rand ("state", 25);
randn ("state", 25);

## The data: three components in the plane, 600 points.
true_mu = [-3 0; 2 3; 3 -2.5]';
true_sigma = cat (3, [1.2 0.6; 0.6 0.8], [0.5 -0.3; -0.3 1.0], [0.9 0; 0 0.25]);
true_n = [270 200 130];
x = zeros (2, sum (true_n));
first = 0;
for k = 1:3
  x(:, first + (1:true_n(k))) = true_mu(:, k) + chol (true_sigma(:, :, k))' * randn (2, true_n(k));
  first += true_n(k);
endfor
[p, n] = size (x);

## The prior: weak, centred on the data, prior mean of each Sigma psi0.
K = 3;
alpha0 = ones (K, 1);
m0 = mean (x, 2);
kappa0 = 0.01;
nu0 = p + 2;
psi0 = 0.5 * eye (p);

## The log-densities of every point under every component, log weight
## included: K x n, from each covariance's upper Cholesky factor.
function logp = component_logpdfs (x, w, mu, factors)
  [p, n] = size (x);
  K = numel (w);
  logp = zeros (K, n);
  for k = 1:K
    c = factors(:, :, k);
    z = c' \ (x - mu(:, k));            # Sigma = C' C: whitened points
    logp(k, :) = log (w(k)) - 0.5 * sumsq (z, 1) - sum (log (diag (c))) - p / 2 * log (2 * pi);
  endfor
endfunction

## The mixture's log-likelihood from those log-densities.
function l = mixture_loglik (logp)
  top = max (logp, [], 1);
  l = sum (top + log (sum (exp (logp - top), 1)));
endfunction

## Start: means at K data points, the data's covariance, equal weights.
mu = x(:, randperm (n, K));
sigma = repmat (cov (x'), [1 1 K]);
factors = repmat (chol (cov (x')), [1 1 K]);
w = ones (K, 1) / K;

sweeps = 600;
burn_in = 100;
loglik = zeros (sweeps, 1);
kept = struct ("w", zeros (K, 1), "mu", zeros (p, K), "sigma", zeros (p, p, K));
tic ();
for s = 1:sweeps
  logp = component_logpdfs (x, w, mu, factors);
  loglik(s) = mixture_loglik (logp);                         # of the current parameters
  z = categorical_draws (logp);                              # 1 x n allocations
  counts = accumarray (z', 1, [K 1]);
  w = dirichlet_draws (alpha0 + counts);
  for k = 1:K
    xk = x(:, z == k);
    nk = counts(k);
    kappa = kappa0 + nk;
    if (nk > 0)
      centre = mean (xk, 2);
      r = xk - centre;
      d = centre - m0;
      psi = psi0 + r * r' + (kappa0 * nk / kappa) * (d * d');
      mean_k = (kappa0 * m0 + nk * centre) / kappa;
    else                                                     # empty: the prior
      psi = psi0;
      mean_k = m0;
    endif
    [sigma(:, :, k), factors(:, :, k)] = inverse_wishart_draws (psi, nu0 + nk);
    mu(:, k) = mean_k + factors(:, :, k)' * randn (p, 1) / sqrt (kappa);
  endfor
  if (s > burn_in)
    kept.w += w / (sweeps - burn_in);
    kept.mu += mu / (sweeps - burn_in);
    kept.sigma += sigma / (sweeps - burn_in);
  endif
endfor
seconds = toc ();

## Components are matched to the truth by their means; the chain keeps its
## labels here (the components are far apart), so posterior means are
## meaningful per label.
[~, order] = min (sumsq (permute (kept.mu, [1 3 2]) - true_mu, 1), [], 3);
printf ("samplekit example: Gaussian mixture, %d points in %d components, %d sweeps (%d burn-in), %.2f s\n",
        n, K, sweeps, burn_in, seconds);
printf ("  %-9s %8s %8s %17s %17s %26s\n", "component", "weight", "(true)", "mean", "(true)", "covariance [s11 s12 s22]");
for j = 1:K
  k = order(j);
  c = kept.sigma(:, :, k);
  printf ("  %-9d %8.3f %8.3f   [%6.2f %6.2f]   [%6.2f %6.2f]   [%5.2f %5.2f %5.2f] (true [%5.2f %5.2f %5.2f])\n",
          j, kept.w(k), true_n(j) / n, kept.mu(:, k), true_mu(:, j), c([1 2 4]), true_sigma([1 2 4] + 4 * (j - 1)));
endfor
true_factors = zeros (p, p, K);
for k = 1:K
  true_factors(:, :, k) = chol (true_sigma(:, :, k));
endfor
true_loglik = mixture_loglik (component_logpdfs (x, true_n / n, true_mu, true_factors));
printf ("  log-likelihood: %.1f at the start, %.1f averaged after burn-in, %.1f at the parameters\n",
        loglik(1), mean (loglik(burn_in+1:end)), true_loglik);
printf ("  that made the data\n");

[png, can_draw] = example_setup ("gaussian_mixture.png");
if (can_draw)
  f = figure ("position", [100 100 1100 520]);
  subplot (2, 2, [1 3]);
  colours = [0.85 0.33 0.10; 0 0.45 0.74; 0.47 0.67 0.19];
  hold on;
  for k = 1:K
    members = z == k;
    plot (x(1, members), x(2, members), ".", "color", 0.5 + 0.5 * colours(k, :), "markersize", 6);
  endfor
  t = linspace (0, 2 * pi, 200);
  circle = [cos(t); sin(t)];
  for j = 1:K
    k = order(j);
    fitted = kept.mu(:, k) + 2 * chol (kept.sigma(:, :, k))' * circle;
    truth = true_mu(:, j) + 2 * chol (true_sigma(:, :, j))' * circle;
    plot (truth(1, :), truth(2, :), "k--", "linewidth", 1);
    plot (fitted(1, :), fitted(2, :), "-", "color", colours(k, :), "linewidth", 2.5);
    plot (kept.mu(1, k), kept.mu(2, k), "+", "color", colours(k, :), "markersize", 12, "linewidth", 2.5);
  endfor
  hold off;
  axis equal;
  xlim ([min(x(1, :)) max(x(1, :))] + [-0.5 0.5]);
  xlabel ("x_1");
  ylabel ("x_2");
  title ("fitted components (2-sigma ellipses), dashed: the true ones");
  subplot (2, 2, 2);
  semilogx (1:sweeps, loglik, "linewidth", 1.5);
  hold on;
  semilogx ([burn_in burn_in], [min(loglik) max(loglik)], "r-", "linewidth", 1);
  hold off;
  xlim ([1 sweeps]);
  xlabel ("sweep (log scale)");
  ylabel ("log-likelihood");
  title ("log-likelihood of each sweep's parameters (red: end of burn-in)");
  subplot (2, 2, 4);
  after = burn_in+1:sweeps;
  plot (after, loglik(after), "linewidth", 1);
  hold on;
  plot ([after(1) sweeps], [true_loglik true_loglik], "r-", "linewidth", 2.5);
  hold off;
  xlim ([after(1) sweeps]);
  xlabel ("sweep");
  ylabel ("log-likelihood");
  title ("after burn-in (red: at the parameters that made the data)");
  print (f, "-dpng", png{1});
  printf ("  figure: %s\n", png{1});
endif
