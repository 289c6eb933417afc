## samplekit example: Bayesian logistic regression by Polya-Gamma Gibbs
## sampling (Polson, Scott and Windle 2013).
##
##   y(i) ~ Bernoulli (1 / (1 + exp (-x(i)' beta))),  beta ~ N(0, 10^2 I)
##
## With omega(i) ~ PG(1, x(i)' beta) the likelihood becomes Gaussian in
## beta, so the sampler alternates two exact draws:
##   omega | beta ~ PG(1, X beta)                  (polya_gamma_draws)
##   beta | omega ~ N(V X' (y - 1/2), V),  V = (X' diag(omega) X + I / 100)^-1
## No tuning and no rejection. It prints the posterior of the coefficients
## against the values that made the data and the maximum-likelihood fit, and
## saves the chain's traces, the posteriors and the autocorrelations.

addpath (fileparts (mfilename ("fullpath")));
example_setup ();
rand ("state", 18);
randn ("state", 18);

n = 250;
true_beta = [-0.5; 1.2; -0.8];
X = [ones(n, 1), randn(n, 1), 0.5 + randn(n, 1)];
y = double (rand (n, 1) < 1 ./ (1 + exp (-X * true_beta)));
kappa = y - 0.5;
prior_precision = eye (3) / 100;

sweeps = 4000;
burn_in = 500;
chain = zeros (sweeps, 3);
beta = zeros (3, 1);
for k = 1:sweeps
  omega = polya_gamma_draws (1, X * beta);
  V = inv (X' * (omega .* X) + prior_precision);
  V = (V + V') / 2;
  beta = V * (X' * kappa) + chol (V, "lower") * randn (3, 1);
  chain(k, :) = beta';
endfor
kept = chain(burn_in+1:end, :);

## Maximum likelihood by Newton's method, for comparison.
mle = zeros (3, 1);
for step = 1:30
  p = 1 ./ (1 + exp (-X * mle));
  mle += (X' * ((p .* (1 - p)) .* X)) \ (X' * (y - p));
endfor

## Autocorrelation of each coefficient's chain up to lag 30, for the figure.
lags = 0:30;
acf = zeros (numel (lags), 3);
for j = 1:3
  d = kept(:, j) - mean (kept(:, j));
  for l = lags
    acf(l + 1, j) = sum (d(1:end-l) .* d(l+1:end)) / sum (d .^ 2);
  endfor
endfor
summary = mcmc_summary (reshape (kept, rows (kept), 1, 3));   # one chain of each coefficient

names = {"intercept", "x1", "x2"};
printf ("samplekit example: logistic regression by Polya-Gamma Gibbs sampling\n");
printf ("  %d observations (%d ones), %d sweeps (%d burn-in)\n", n, sum (y), sweeps, burn_in);
printf ("  %-10s %7s %9s %7s %18s %7s %7s %6s\n", "", "true", "post.mean", "sd", "95% interval", "MLE", "ESS", "R-hat");
for j = 1:3
  q = sort (kept(:, j));
  printf ("  %-10s %7.3f %9.3f %7.3f   [%6.3f, %6.3f] %7.3f %7.0f %6.3f\n", names{j}, true_beta(j),
          mean (q), std (q), q(round (0.025 * end)), q(round (0.975 * end)), mle(j),
          summary(j).ess_bulk, summary(j).rhat);
endfor

[png, can_draw] = example_setup ("polya_gamma_logistic.png");
if (can_draw)
  f = figure ();
  set (f, "paperunits", "inches", "paperposition", [0 0 10 7.5]);
  for j = 1:3
    subplot (3, 3, 3 * j - 2);
    plot (chain(:, j));
    hold on;
    plot ([1 sweeps], true_beta(j) * [1 1], "r-", "linewidth", 2);
    hold off;
    set (gca, "xtick", [0 sweeps / 2 sweeps]);
    ylabel (names{j});
    subplot (3, 3, 3 * j - 1);
    [counts, centres] = hist (kept(:, j), 40);
    bar (centres, counts / (rows (kept) * (centres(2) - centres(1))), 1);
    hold on;
    top = max (counts) / (rows (kept) * (centres(2) - centres(1)));
    plot (true_beta(j) * [1 1], [0 top], "r-", "linewidth", 2);
    hold off;
    set (gca, "xtick", unique (round (10 * linspace (centres(1), centres(end), 3)) / 10));
    subplot (3, 3, 3 * j);
    stem (lags, acf(:, j));
    axis ([0 30 -0.2 1]);
  endfor
  subplot (3, 3, 1);
  title ("trace (red: true value)");
  subplot (3, 3, 2);
  title ("posterior after burn-in");
  subplot (3, 3, 3);
  title ("autocorrelation");
  subplot (3, 3, 7);
  xlabel ("sweep");
  subplot (3, 3, 9);
  xlabel ("lag");
  print (f, "-dpng", png{1});
  printf ("  figure: %s\n", png{1});
endif
