## samplekit example: a bootstrap particle filter for the classic nonlinear
## growth model, run with each of the five resampling schemes on the same
## data and the same seed.
##
##   x(t) = x(t-1)/2 + 25 x(t-1)/(1 + x(t-1)^2) + 8 cos(1.2 t) + v(t),  v ~ N(0, 10)
##   y(t) = x(t)^2 / 20 + w(t),                                       w ~ N(0, 1)
##
## It reports the error of the filtered mean against the true state and the
## spread of the resampled counts around their expected values (multinomial
## spreads most; systematic, the usual default of particle-filter libraries,
## and deterministic least), and saves two figures.

addpath (fileparts (mfilename ("fullpath")));
out = example_setup ();
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
for s = 1:numel (schemes)
  rand ("state", 7);
  randn ("state", 7);
  p = sqrt (2) * randn (particles, 1);
  count_error = 0;
  for t = 1:steps
    p = p / 2 + 25 * p ./ (1 + p .^ 2) + 8 * cos (1.2 * t) + sqrt (10) * randn (particles, 1);
    logw = -0.5 * (y(t) - p .^ 2 / 20) .^ 2;
    w = exp (logw - max (logw));
    estimates(s, t) = sum (w .* p) / sum (w);
    index = schemes{s} (w, particles, 1);
    counts = accumarray (index, 1, [particles 1]);
    count_error += mean ((counts - particles * w / sum (w)) .^ 2);
    p = p(index);
  endfor
  spread(s) = count_error / steps;
endfor

rmse = sqrt (mean ((estimates - x) .^ 2, 2));
printf ("samplekit example: bootstrap particle filter, %d particles, %d steps\n", particles, steps);
printf ("  %-14s %8s %28s\n", "scheme", "RMSE", "mean squared count deviation");
for s = 1:numel (schemes)
  printf ("  %-14s %8.3f %28.4f\n", labels{s}, rmse(s), spread(s));
endfor

f = figure ();
plot (1:steps, x, "k-", "linewidth", 2, 1:steps, estimates, "-");
legend (["true state", labels], "location", "northeastoutside");
xlabel ("time");
ylabel ("state");
title ("Filtered means with five resampling schemes");
print (f, "-dpng", fullfile (out, "particle_filter_states.png"));
f = figure ();
bar (spread);
set (gca, "xticklabel", labels);
ylabel ("mean squared deviation of counts from N w");
title ("Resampling noise by scheme");
print (f, "-dpng", fullfile (out, "particle_filter_spread.png"));
printf ("  figures: %s\n", fullfile (out, "particle_filter_*.png"));
