## samplekit example: draws of gig_ars_draw against the exact density.
##
## gig_ars_draw (a0, a1, a2, a3, a4) draws y from the generalised inverse
## Gaussian density proportional to y^(lambda - 1) exp (-(chi / y + psi y) / 2)
## with lambda = (a2 a4 - a1) / 2, chi = a0 a1 and psi = a2 a4 / a3; the
## normalising constant is 2 (psi / chi)^(lambda / 2) K_lambda (sqrt (chi psi)).

addpath (fileparts (mfilename ("fullpath")));
example_setup ();
rand ("state", 3);

cases = [2, 3, 1.5, 0.5, 2; 0.5, 1, 4, 1, 1; 1, 6, 0.5, 2, 1];
printf ("samplekit example: gig_ars_draw against the GIG density\n");
draws = zeros (rows (cases), 5000);
for c = 1:rows (cases)
  a = num2cell (cases(c, :));
  draws(c, :) = arrayfun (@(k) gig_ars_draw (a{:}), 1:columns (draws));
endfor
## The GIG parameters of each case and its exact density and mean.
lambda = (cases(:, 3) .* cases(:, 5) - cases(:, 2)) / 2;
chi = cases(:, 1) .* cases(:, 2);
psi = cases(:, 3) .* cases(:, 5) ./ cases(:, 4);
omega = sqrt (chi .* psi);
density = @(c, t) (psi(c) / chi(c)) ^ (lambda(c) / 2) / (2 * besselk (lambda(c), omega(c))) ...
                  .* t .^ (lambda(c) - 1) .* exp (-(chi(c) ./ t + psi(c) * t) / 2);
exact_mean = sqrt (chi ./ psi) .* besselk (lambda + 1, omega) ./ besselk (lambda, omega);
for c = 1:rows (cases)
  printf ("  lambda %5.2f chi %5.2f psi %5.2f: mean of draws %.4f, exact %.4f\n",
          lambda(c), chi(c), psi(c), mean (draws(c, :)), exact_mean(c));
endfor

[png, can_draw] = example_setup ("gig_density.png");
if (can_draw)
  f = figure ();
  set (f, "paperunits", "inches", "paperposition", [0 0 10 4.5]);
  for c = 1:rows (cases)
    subplot (1, 3, c);
    ## Bins over the bulk of the draws; each bar is the share of all draws
    ## in its bin divided by the bin width, so bars and curve share a scale.
    sorted = sort (draws(c, :));
    upper = sorted(round (0.995 * end));
    edges = linspace (0, upper, 41);
    counts = histc (draws(c, :), edges)(1:end-1);
    width = edges(2) - edges(1);
    heights = counts / (columns (draws) * width);
    bar (edges(1:end-1) + width / 2, heights, 1);
    hold on;
    t = linspace (upper / 400, upper, 200);
    plot (t, density (c, t), "r-", "linewidth", 2);
    hold off;
    top = 1.4 * max (heights);     # room for the legend
    axis ([0, upper, 0, top]);
    title (sprintf ("lambda = %g", lambda(c)));
    xlabel (sprintf ("y  (chi = %g, psi = %g)", chi(c), psi(c)));
    if (c == 1)
      ylabel ("density of y; bars: 5000 draws of gig_ars_draw", "interpreter", "none");
    endif
  endfor
  legend ("draws", "exact density");
  print (f, "-dpng", png{1});
  printf ("  figure: %s\n", png{1});
endif
