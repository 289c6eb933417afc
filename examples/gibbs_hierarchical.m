## samplekit example: a Gibbs sampler for a hierarchical normal model.
##
##   y(i, j) ~ N(theta(j), sigma2),  theta(j) ~ N(mu, tau2),  j = 1..J groups
##   p(mu) flat,  sigma2 ~ Scaled-Inv-chi2(nu0, s0),  tau2 ~ Scaled-Inv-chi2(nu1, s1)
##
## Each variance has a scaled inverse-chi-square full conditional, drawn by
## scaled_invchi2_draw. The within-group precision 1 / sigma2 is gamma with
## mean (nu0 + n) / (nu0 s0 + SSE) and nu0 + n degrees of freedom, so the
## sampler alternates: it draws sigma2 as 1 / mean_dof_gamma_draw (...) on
## odd sweeps and by scaled_invchi2_draw on even ones (the same
## distribution). It prints posterior summaries and saves trace plots.

addpath (fileparts (mfilename ("fullpath")));
example_setup ();
rand ("state", 11);
randn ("state", 11);

J = 8;
per_group = 12;
true_theta = 5 + 2 * randn (1, J);
y = true_theta + 3 * randn (per_group, J);
sweeps = 5000;
trace = gibbs_chain (y, sweeps);   # continues the streams that made the data

kept = trace(1001:end, :);
names = [{"mu", "sigma2", "tau2"}, arrayfun(@(j) sprintf ("theta(%d)", j), 1:J, "uniformoutput", false)];
printf ("samplekit example: Gibbs sampler, %d groups of %d, %d sweeps (1000 burn-in)\n", J, per_group, sweeps);
printf ("  %-10s %9s %9s %20s\n", "parameter", "mean", "sd", "95% interval");
for p = 1:columns (kept)
  q = sort (kept(:, p));
  printf ("  %-10s %9.3f %9.3f   [%7.3f, %7.3f]\n", names{p}, mean (q), std (q),
          q(round (0.025 * end)), q(round (0.975 * end)));
endfor
printf ("  the data were made with sigma2 = 9 and group means %s\n", mat2str (true_theta, 3));

[png, can_draw] = example_setup ("gibbs_traces.png");
if (can_draw)
  ## tau2 has a long right tail: on a linear axis its few large draws set
  ## the scale and flatten the rest of the trace, so its panel is on a log
  ## axis.
  f = figure ();
  set (f, "paperunits", "inches", "paperposition", [0 0 5.8 6.4]);
  for p = 1:3
    subplot (3, 1, p);
    if (p == 3)
      semilogy (trace(:, p));
      ticks = [0.1 0.2 0.5 1 2 5 10 20 50 100 200 500];
      ticks = ticks(ticks >= min (trace(:, p)) / 2 & ticks <= 2 * max (trace(:, p)));
      set (gca, "ytick", ticks, "yticklabel", arrayfun (@num2str, ticks, "uniformoutput", false));
      ylabel ("tau2 (log axis)");
    else
      plot (trace(:, p));
      ylabel (names{p});
    endif
    xlabel ("sweep");
  endfor
  subplot (3, 1, 2);
  hold on;
  plot ([1 sweeps], [9 9], "r-", "linewidth", 2);
  hold off;
  subplot (3, 1, 1);
  title ("Gibbs sampler traces (red line: sigma2 = 9, the value that made the data)");
  print (f, "-dpng", png{1});
  printf ("  figure: %s\n", png{1});
endif
