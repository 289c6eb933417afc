## samplekit example: draws of gig_ars_draw against the exact density.
##
## gig_ars_draw (a0, a1, a2, a3, a4) draws y from the generalised inverse
## Gaussian density proportional to y^(lambda - 1) exp (-(chi / y + psi y) / 2)
## with lambda = (a2 a4 - a1) / 2, chi = a0 a1 and psi = a2 a4 / a3; the
## normalising constant is 2 (psi / chi)^(lambda / 2) K_lambda (sqrt (chi psi)).

addpath (fileparts (mfilename ("fullpath")));
out = example_setup ();
rand ("state", 3);

cases = [2, 3, 1.5, 0.5, 2; 0.5, 1, 4, 1, 1; 1, 6, 0.5, 2, 1];
f = figure ();
printf ("samplekit example: gig_ars_draw against the GIG density\n");
for c = 1:rows (cases)
  a = num2cell (cases(c, :));
  lambda = (a{3} * a{5} - a{2}) / 2;  chi = a{1} * a{2};  psi = a{3} * a{5} / a{4};
  draws = arrayfun (@(k) gig_ars_draw (a{:}), 1:5000);
  omega = sqrt (chi * psi);
  density = @(t) (psi / chi) ^ (lambda / 2) / (2 * besselk (lambda, omega)) ...
                 .* t .^ (lambda - 1) .* exp (-(chi ./ t + psi * t) / 2);
  exact_mean = sqrt (chi / psi) * besselk (lambda + 1, omega) / besselk (lambda, omega);
  printf ("  lambda %5.2f chi %5.2f psi %5.2f: mean of draws %.4f, exact %.4f\n",
          lambda, chi, psi, mean (draws), exact_mean);
  subplot (1, 3, c);
  [counts, centres] = hist (draws, 40);
  width = centres(2) - centres(1);
  bar (centres, counts / (numel (draws) * width), 1);
  hold on;
  t = linspace (max (1e-3, min (draws)), max (draws), 200);
  plot (t, density (t), "r-", "linewidth", 2);
  hold off;
  title (sprintf ("lambda %.2f", lambda));
  xlabel (sprintf ("chi %.2f, psi %.2f", chi, psi));
endfor
print (f, "-dpng", fullfile (out, "gig_density.png"));
printf ("  figure: %s\n", fullfile (out, "gig_density.png"));
