## samplekit example: a bootstrap particle filter for the classic nonlinear
## growth model, run with each of the five resampling schemes on the same
## data and the same seed.
##
##   x(t) = x(t-1)/2 + 25 x(t-1)/(1 + x(t-1)^2) + 8 cos(1.2 t) + v(t),  v ~ N(0, 10)
##   y(t) = x(t)^2 / 20 + w(t),                                       w ~ N(0, 1)
##
## It reports each scheme's error of the filtered mean against the true
## state, and the spread of the resampled counts around their expected
## values (multinomial spreads most; systematic, the usual default of
## particle-filter libraries, and deterministic least). The observation
## x^2 / 20 is the same for x and -x, so at some steps the filter follows
## the mirror image of the state whatever the scheme; the example names
## those steps. It also prints each run's estimate of the log evidence
## log p(y(1:T)): the sum over steps of the log mean weight that
## normalized_weights returns. Figures: the filtered state and each
## scheme's error, and the resampling noise by scheme.

addpath (fileparts (mfilename ("fullpath")));
example_setup ();
rand ("state", 2026);
randn ("state", 2026);

steps = 60;
particles = 1000;
x = zeros (1, steps);
y = zeros (1, steps);
state = 0.1;
for t = 1:steps
  state = state / 2 + 25 * state / (1 + state ^ 2) + 8 * cos (1.2 * t) + sqrt (10) * randn ();
  x(t) = state;
  y(t) = state ^ 2 / 20 + randn ();
endfor

schemes = {@resample_multinomial, @resample_residual, @resample_stratified, @resample_systematic, ...
           @resample_deterministic};
labels = {"multinomial", "residual", "stratified", "systematic", "deterministic"};
estimates = zeros (numel (schemes), steps);
spread = zeros (1, numel (schemes));
log_evidence = zeros (1, numel (schemes));
for s = 1:numel (schemes)
  rand ("state", 7);
  randn ("state", 7);
  p = sqrt (2) * randn (particles, 1);
  count_error = 0;
  for t = 1:steps
    p = p / 2 + 25 * p ./ (1 + p .^ 2) + 8 * cos (1.2 * t) + sqrt (10) * randn (particles, 1);
    ## log N (y(t); x^2 / 20, 1): the mean weight estimates p(y(t) | y(1:t-1))
    logw = -0.5 * (y(t) - p .^ 2 / 20) .^ 2 - 0.5 * log (2 * pi);
    [w, ~, logmean] = normalized_weights (logw);
    log_evidence(s) += logmean;
    estimates(s, t) = sum (w .* p);
    index = schemes{s} (w, particles, 1);      # particles x 1, not (w, particles)
    counts = accumarray (index, 1, [particles 1]);
    count_error += mean ((counts - particles * w) .^ 2);
    p = p(index);
  endfor
  spread(s) = count_error / steps;
endfor

## Steps where every scheme's filtered mean has the sign opposite to a
## state well away from 0: the mirror image, not noise.
mirrored = all (sign (estimates) != sign (x), 1) & abs (x) > 3;
errors = estimates - x;
rmse = sqrt (mean (errors .^ 2, 2));
rmse_right_sign = sqrt (mean (errors(:, ! mirrored) .^ 2, 2));
printf ("samplekit example: bootstrap particle filter, %d particles, %d steps\n", particles, steps);
printf ("  %-14s %15s %18s %12s %13s\n", "scheme", "RMSE all steps", "RMSE not mirrored", ...
        "count noise", "log evidence");
for s = 1:numel (schemes)
  printf ("  %-14s %15.3f %18.3f %12.4f %13.2f\n", labels{s}, rmse(s), rmse_right_sign(s), ...
          spread(s), log_evidence(s));
endfor
printf ("  count noise: (copies of a particle - N w)^2, averaged over particles and steps\n");
printf ("  mirrored steps, t = %s:\n",
        strjoin (arrayfun (@num2str, find (mirrored), "uniformoutput", false), " "));
printf ("  y = x^2/20 reads the same for x and -x, so where the past leaves the sign\n");
printf ("  open, every scheme follows -x there (the model's ambiguity, not the filter's)\n");

[png, can_draw] = example_setup ("particle_filter_states.png", "particle_filter_spread.png");
if (can_draw)
  f = figure ();
  set (f, "paperunits", "inches", "paperposition", [0 0 8 10]);
  time = 1:steps;
  ## The state on top with its own time axis; below it the five schemes'
  ## errors stacked on one shared time axis, labelled once at the bottom.
  axes ("position", [0.1, 0.71, 0.86, 0.25]);
  plot (time, x, "k-", "linewidth", 2, time, estimates(4, :), "b-", ...
        time(mirrored), estimates(4, mirrored), "ro", "markersize", 8);
  ylabel ("state");
  xlabel ("time step t");
  title ("True state x (black) and the filtered mean of 1000 particles (blue, systematic)");
  axis ([0.5, steps + 0.5, -32, 32]);
  text (1, -27, "o  mirrored steps: y = x^2/20 cannot tell x from -x, and the filter follows -x");
  limit = 1.15 * max (abs (errors(:)));     # a margin, so that panels touching do not run together
  height = 0.105;
  for s = 1:numel (schemes)
    axes ("position", [0.1, 0.07 + (numel (schemes) - s) * height, 0.86, height]);
    bar (time, errors(s, :), 1, "facecolor", [0.3 0.5 0.8], "edgecolor", "none");
    hold on;
    plot (time(mirrored), errors(s, mirrored), "ro", "markersize", 4);
    hold off;
    axis ([0.5, steps + 0.5, -limit, limit]);
    set (gca, "ytick", [-20 0 20]);
    if (s < numel (schemes))
      set (gca, "xticklabel", {});
    endif
    ylabel (labels{s});
    text (1.5, 0.55 * limit, sprintf ("RMSE %.2f, %.2f without mirrored steps", rmse(s), rmse_right_sign(s)));
    if (s == 1)
      title ("Each scheme's error, filtered mean - true state");
    endif
  endfor
  xlabel ("time step t (all five error panels)");
  print (f, "-dpng", "-r100", png{1});

  f = figure ();
  bar (spread, 0.6);
  set (gca, "xticklabel", labels);
  xlabel ("resampling scheme");
  ylabel ("mean of (copies - N w)^2");
  title ("Resampling noise: copies of each particle against the expected N w");
  text (1.6, 0.9 * max (spread), sprintf ("N = %d particles, w = normalised weight of a particle", particles));
  text (1.6, 0.8 * max (spread), "lower: the copies follow the weights more closely");
  print (f, "-dpng", png{2});
  printf ("  figures: %s\n", strjoin (png, ", "));
endif
