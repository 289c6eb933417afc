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
  ## One panel per percentile: the replicates' histograms without and with
  ## prior weights on shared bins, each shaded over the 95 % interval that
  ## the example prints, and a line at the median of the replicates. The
  ## bins span the middle 99.5 % of all replicates of the percentile, so
  ## that a few far ones do not squeeze the rest into a corner.
  f = figure ();
  set (f, "paperunits", "inches", "paperposition", [0 0 6 7.5]);
  runs = {pct, weighted_pct};
  colours = [0 0.3 0.8; 0.85 0.1 0.1];
  for k = 1:numel (levels)
    subplot (numel (levels), 1, k);
    both = sort ([pct(:, k); weighted_pct(:, k)]);
    edges = linspace (both(ceil (0.0025 * end)), both(floor (0.9975 * end)), 51);
    hold on;
    for s = 1:2
      r = runs{s}(:, k);
      counts = histc (r, edges)';
      counts = [counts(1:end-2), counts(end-1) + counts(end)];   # the top edge joins the last bin
      xs{s} = reshape ([edges(1:end-1); edges(2:end)], 1, []);
      ys{s} = reshape ([counts; counts], 1, []);
      at{s} = @(v) counts(min (lookup (edges, v), numel (counts)));
      outline(s) = plot (xs{s}, ys{s}, "color", colours(s, :), "linewidth", 1.5);
    endfor
    for s = 1:2
      ends = interval (runs{s}(:, k));
      inside = xs{s} > ends(1) & xs{s} < ends(2);
      shade(s) = patch ([ends(1), ends(1), xs{s}(inside), ends(2), ends(2)],
                        [0, at{s}(ends(1)), ys{s}(inside), at{s}(ends(2)), 0],
                        colours(s, :), "facealpha", 0.25, "edgecolor", "none");
    endfor
    top = 1.1 * max ([ys{:}]);
    for s = 1:2
      middle = median (runs{s}(:, k));
      centre(s) = plot ([middle, middle], [0, top], "color", colours(s, :), "linewidth", 2);
    endfor
    hold off;
    axis ([edges(1), edges(end), 0, top]);
    xlabel (sprintf ("replicate of the %dth percentile", levels(k)));
    ylabel ("replicates");
    if (k == 1)
      axis ([edges(1), edges(end), 0, 1.8 * top]);   # room for the legend
      legend (outline, "no prior weights", "prior weights 1 (lower half), 3 (upper half)");
      title (sprintf ("Bayesian bootstrap of percentiles, %d replicates", replicates));
    elseif (k == numel (levels))
      ## The long lower tail of the 95th percentile leaves room at the left.
      legend ([shade(1), centre(1)], "95% interval (shaded)", "median (vertical line)",
              "location", "northwest");
    endif
  endfor
  print (f, "-dpng", png{2});
  printf ("  figures: %s\n", strjoin (png, ", "));
endif
