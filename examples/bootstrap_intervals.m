## samplekit example: Bayesian bootstrap intervals for a mean and for
## percentiles, without and with prior weights.
##
## bayes_boot_mean puts Dirichlet(1, ..., 1) weights on the observations;
## prior weights W scale each observation's exponential draw before the
## normalisation, so an observation with W = 3 counts, on average, three
## times as much. bayes_boot_percentiles reads the percentiles off the
## weighted empirical distribution of the sorted sample.

addpath (fileparts (mfilename ("fullpath")));
example_setup ();
rand ("state", 5);
randn ("state", 5);

n = 80;
x = sort (exp (0.5 * randn (n, 1)));        # a skewed sample
w = 1 + 2 * (x > median (x));               # prior weights favouring the upper half
replicates = 4000;

means = bayes_boot_mean (x, replicates);
weighted_means = bayes_boot_mean (x, replicates, w);
levels = [5 50 95];
pct = bayes_boot_percentiles (x, levels, replicates);
weighted_pct = bayes_boot_percentiles (x, levels, replicates, w);

interval = @(r) sort (r)([round(0.025 * numel (r)), round(0.975 * numel (r))]);
printf ("samplekit example: Bayesian bootstrap, n = %d, %d replicates\n", n, replicates);
printf ("  mean:             sample %.3f, 95%% interval [%.3f, %.3f]\n", mean (x), interval (means));
printf ("  weighted mean:    target %.3f, 95%% interval [%.3f, %.3f]\n", sum (w .* x) / sum (w),
        interval (weighted_means));
for k = 1:numel (levels)
  printf ("  %2d%% percentile:   [%.3f, %.3f]  with prior weights [%.3f, %.3f]\n", levels(k),
          interval (pct(:, k)), interval (weighted_pct(:, k)));
endfor

[png, can_draw] = example_setup ("bootstrap_mean.png", "bootstrap_percentiles.png");
if (can_draw)
  f = figure ();
  hist (means, 40);
  hold on;
  hist (weighted_means, 40, "facecolor", "r");
  hold off;
  heights = ylim ();
  ylim ([0, 1.3 * heights(2)]);     # room for the legend
  legend ("no prior weights", "prior weights 1 (lower half), 3 (upper half)");
  xlabel ("replicate of the mean");
  ylabel ("replicates");
  title (sprintf ("Bayesian bootstrap of the mean, %d replicates", replicates));
  print (f, "-dpng", png{1});
  f = figure ();
  spot = @(r, shift) [reshape(repmat (levels + shift, rows (r), 1), [], 1), r(:)];
  plain = spot (pct, -1);
  weighted = spot (weighted_pct, 1);
  plot (plain(:, 1), plain(:, 2), "b.", weighted(:, 1), weighted(:, 2), "r.");
  xlabel ("percentile");
  ylabel ("replicate value");
  title ("Percentile replicates (blue: plain, red: with prior weights)");
  print (f, "-dpng", png{2});
  printf ("  figures: %s\n", strjoin (png, ", "));
endif
