## Benchmarks: each samplekit function against the best Octave way to do
## the same job, in one process, repeats interleaved. Prints nanoseconds per
## element (per call for the single draws) with one thread
## (SAMPLEKIT_THREADS=1) and with the default count, the ratios to the peer
## and, for the jobs whose cost is mostly host values, the job's limit with
## one thread and with as many as there are cores: those values drawn in one
## rand and one randn call plus the cheapest compiled pass of the job's
## arithmetic (the bench-only module bench_limit, which shares no code with
## the plug-ins; its results are checked to be the plug-in's bits). Ends
## with the peak memory of a 1e6-element gamma-family call.
## Run with: make bench (BENCH_RUNS runs of BENCH_REPEATS repeats, default
## 3 and 3).

root = fileparts (fileparts (mfilename ("fullpath")));
addpath (fullfile (root, "build"));
addpath (fullfile (root, "build", "bench"));
repeats = str2double (getenv ("BENCH_REPEATS"));
if (isnan (repeats))
  repeats = 3;
endif
rand ("state", 1);
randn ("state", 1);

n = 1e6;
x1000 = randn (1000, 10);
sorted = sort (randn (1000, 1));
w = rand (1e5, 1);
cw = cumsum (w) / sum (w);
xd = 0.1 + 99.9 * rand (n, 1);
xt = -20 + 40 * rand (n, 1);
xm = randn (2000, 10);
single_metric = struct ("type", "metric_euclidean", "lengthScale", 1, ...
                        "components", {num2cell(1:10)}, "deltadist", false (1, 10));
two_metric = struct ("type", "metric_euclidean", "lengthScale", [1 2], ...
                     "components", {{1:5, 6:10}}, "deltadist", false (1, 2));
delta_metric = struct ("type", "metric_euclidean", "lengthScale", [1 2], ...
                       "components", {{1:5, 6:10}}, "deltadist", logical ([0 1]));
xr = round (3 * rand (2000, 10));
s2_n = 0.5 + 3 * rand (n, 1);
nu_n = 0.5 + 10 * rand (n, 1);
lambda_n = -3 + 6 * rand (n, 1);
z_pg = 2 * randn (1e5, 1);
alpha_kb = repmat ((1:10)' / 2, 1, 1e5);
logw = -0.5 * randn (n, 1) .^ 2 * 50;

## {name, elements, plug-in, peer, limit}: the limit is a plan {job, count,
## uniforms, normals, parameters...} for bench_limit, or {} where the target
## is the Octave peer alone. A new row needs nothing else.
jobs = {
  "scaled_invchi2_draws(2, 5)", n, @() scaled_invchi2_draws(2, 5, n, 1), @() 5 ./ randg(2.5, n, 1), {"invchi2", n, 4 * n, 0, 2, 5};
  "scaled_invchi2_draws per-element", n, @() scaled_invchi2_draws(s2_n, nu_n), @() (s2_n .* nu_n / 2) ./ randg(nu_n / 2), {"invchi2", n, 4 * n, 0, s2_n, nu_n};
  "mean_dof_gamma_draws(2, 5)", n, @() mean_dof_gamma_draws(2, 5, n, 1), @() randg(2.5, n, 1) * 0.8, {"gamma_mean", n, 4 * n, 0, 2, 5};
  "mean_dof_gamma_draws per-element", n, @() mean_dof_gamma_draws(s2_n, nu_n), @() (randg(nu_n / 2) * 2) .* s2_n ./ nu_n, {"gamma_mean", n, 4 * n, 0, s2_n, nu_n};
  "student_t_draws(4)", n, @() student_t_draws(4, n, 1), @() randn(n, 1) ./ sqrt(randg(2, n, 1) / 2), {"t", n, 4 * n, n, 4};
  "student_t_draws(1)", n, @() student_t_draws(1, n, 1), @() randn(n, 1) ./ randn(n, 1), {"t", n, 0, 2 * n, 1};
  "student_t_draws(2)", n, @() student_t_draws(2, n, 1), @() randn(n, 1) ./ sqrt(randg(1, n, 1)), {"t", n, n, n, 2};
  "exponential_draws(2)", n, @() exponential_draws(2, n, 1), @() 2 * rande(n, 1), {"exp", n, n, 0, 2};
  "simplex_weight_draws(100, 1e4)", 1e6, @() simplex_weight_draws(100, 1e4), @() normalise_columns(rande(100, 1e4)), {"simplex", 1e6, [100 1e4], 0, 100};
  "bayes_boot_mean 1000x10, B 2000", 2000 * 1000, @() bayes_boot_mean(x1000, 2000), @() boot_mean_peer(x1000, 2000), {"boot_mean", 2000, [1000 2000], 0, x1000};
  "bayes_boot_percentiles 1000, B 2000", 2000 * 1000, @() bayes_boot_percentiles(sorted, [2.5 50 97.5], 2000), @() boot_percentiles_peer(sorted, [2.5 50 97.5], 2000), {};
  "resample_multinomial 1e5", 1e5, @() resample_multinomial(w, 1e5, 1), @() lookup(cw, rand(1e5, 1)) + 1, {};
  "resample_residual 1e5", 1e5, @() resample_residual(w, 1e5, 1), @() residual_peer(w, 1e5), {};
  "resample_stratified 1e5", 1e5, @() resample_stratified(w, 1e5, 1), @() lookup(cw * 1e5, (0:1e5-1)' + rand(1e5, 1)) + 1, {};
  "resample_deterministic 1e5", 1e5, @() resample_deterministic(w, 1e5, 1), @() lookup(cw * 1e5, (0:1e5-1)' + 0.5) + 1, {};
  "resample_systematic 1e5", 1e5, @() resample_systematic(w, 1e5, 1), @() lookup(cw * 1e5, (0:1e5-1)' + rand()) + 1, {};
  "gig_draws(0.5, 2, 3) 1e6", n, @() gig_draws(0.5, 2, 3, n, 1), [], {};
  "gig_draws(0.2, 0.05, 0.05) 1e6", n, @() gig_draws(0.2, 0.05, 0.05, n, 1), [], {};
  "gig_draws per-element 1e6", n, @() gig_draws(lambda_n, 2, 3), [], {};
  "polya_gamma_draws(1, 0) 1e5", 1e5, @() polya_gamma_draws(1, 0, 1e5, 1), @() pg_series_peer(1, 0, 1e5), {};
  "polya_gamma_draws(1, z) per-element 1e5", 1e5, @() polya_gamma_draws(1, z_pg), @() pg_series_peer(1, z_pg, 1e5), {};
  "polya_gamma_draws(10, z) per-element 1e5", 1e5, @() polya_gamma_draws(10, z_pg), @() pg_series_peer(10, z_pg, 1e5), {};
  "polya_gamma_draws(50, z) per-element 1e5", 1e5, @() polya_gamma_draws(50, z_pg), @() pg_series_peer(50, z_pg, 1e5), {};
  "truncated_normal_draws(0, 1, -1, 2) 1e6", n, @() truncated_normal_draws(0, 1, -1, 2, n, 1), @() truncated_inverse_cdf(0, 1, -1, 2, n), {};
  "truncated_normal_draws [8, Inf) 1e6", n, @() truncated_normal_draws(0, 1, 8, Inf, n, 1), [], {};
  "dirichlet_draws K 10 x B 1e5 matrix", n, @() dirichlet_draws(alpha_kb), @() normalise_columns(randg(alpha_kb)), {};
  "dirichlet_draws K 10, B 1e5", n, @() dirichlet_draws(alpha_kb(:, 1), 1e5), @() normalise_columns(randg(alpha_kb)), {};
  "normalized_weights 1e6", n, @() all_weight_outputs(logw), @() weights_peer(logw), {};
  "digamma_array 1e6", n, @() digamma_array(xd), @() psi(xd), {};
  "tanh_array 1e6", n, @() tanh_array(xt), @() 1 - 2 ./ (exp(2 * xt) + 1), {};
  "metric_distance_matrix 2000x10", 2000 ^ 2, @() metric_distance_matrix(single_metric, xm), @() blas_distances(xm), {};
  "metric, two components", 2000 ^ 2, @() metric_distance_matrix(two_metric, xm), @() blas_distances([xm(:, 1:5), xm(:, 6:10) / 2]), {};
  "metric with a delta component", 2000 ^ 2, @() metric_distance_matrix(delta_metric, xr), @() delta_peer(xr), {};
  "scaled_invchi2_draw(per call)", 1, @() scaled_invchi2_draw(2, 5), @() 5 / randg(2.5), {};
  "gig_ars_draw(per call)", 1, @() gig_ars_draw(2, 3, 1.5, 0.5, 2), [], {}};

## categorical_draws and weighted_sample against what an Octave user writes
## for them: the vectorised cumulative-sum recipe for allocations; for
## weighted sampling without replacement, the exponential keys sorted in
## full, and the statistics package's randsample, taken as a handle with
## the package loaded only meanwhile (it shadows mean and median). Without
## that package (make bench installs it where it can), its row has no peer.
logp_wide = randn (10, 1e5);
logp_square = randn (1000, 1000);
w_sample = rand (1, 1e5);
w_sample_4 = rand (1, 1e4);
randsample_peer = [];
if (! isempty (pkg ("list", "statistics")))
  pkg load statistics
  randsample_handle = @randsample;
  pkg unload statistics
  randsample_peer = @() randsample_handle (1e4, 100, false, w_sample_4);
else
  printf ("note: Octave's statistics package is not installed: the randsample row has no peer\n");
endif
jobs = [jobs; {
  "categorical_draws 10 x 1e5", 1e6, @() categorical_draws(logp_wide), @() categorical_recipe(logp_wide), {};
  "categorical_draws 1000 x 1000", 1e6, @() categorical_draws(logp_square), @() categorical_recipe(logp_square), {};
  "weighted_sample N 1e5, K 100 / sort", 1e5, @() weighted_sample(w_sample, 100), @() sorted_keys(w_sample, 100), {};
  "weighted_sample N 1e4, K 100 / randsample", 1e4, @() weighted_sample(w_sample_4, 100), randsample_peer, {}}];

function y = categorical_recipe (logp)
  c = cumsum (exp (logp - max (logp)));
  y = 1 + sum (c <= rand (1, columns (logp)) .* c(end, :));
endfunction

function i = sorted_keys (w, k)
  [~, i] = sort (-log (rand (1, numel (w))) ./ w);
  i = i(1:k);
endfunction

function text = ifelse_text (condition, text)
  if (! condition)
    text = "";
  endif
endfunction

function y = normalise_columns (e)
  y = e ./ sum (e);
endfunction

## What an Octave user writes without a PG sampler: the definition's sum of
## gammas cut at 200 terms (an approximation, biased low by about b / 800).
function x = pg_series_peer (b, z, n)
  k = 1:200;
  x = sum (randg (b, n, 200) ./ ((k - 0.5) .^ 2 + z .^ 2 / (4 * pi ^ 2)), 2) / (2 * pi ^ 2);
endfunction

## The inverse CDF on uniforms: Inf or repeated values far in a tail.
function x = truncated_inverse_cdf (mu, sigma, a, b, n)
  phi = @(t) 0.5 * erfc (-t / sqrt (2));
  pa = phi ((a - mu) / sigma);
  pb = phi ((b - mu) / sigma);
  x = mu + sigma * sqrt (2) * erfinv (2 * (pa + (pb - pa) * rand (n, 1)) - 1);
endfunction

function w = all_weight_outputs (logw)
  [w, ess, logmean] = normalized_weights (logw);
endfunction

function w = weights_peer (logw)
  m = max (logw);
  w = exp (logw - m);
  total = sum (w);
  w = w / total;
  ess = 1 / sum (w .^ 2);
  logmean = m + log (total / numel (logw));
endfunction

function r = boot_mean_peer (x, b)
  weights = rande (rows (x), b);
  r = (weights ./ sum (weights)).' * x;
endfunction

## |a|^2 + |b|^2 - 2 a.b with the product from BLAS: fast, but it cancels.
function d = blas_distances (x)
  d = sqrt (max (sumsq (x, 2) + sumsq (x, 2)' - 2 * (x * x'), 0));
endfunction

function r = boot_percentiles_peer (x, p, b)
  weights = -log (rand (numel (x), b));
  cumulative = cumsum (weights ./ sum (weights));
  r = zeros (b, numel (p));
  for k = 1:b
    r(k, :) = interp1 ([0; cumulative(:, k)], [x(1); x], p / 100);
  endfor
endfunction

function idx = residual_peer (w, m)
  e = w / sum (w) * m;
  whole = floor (e);
  copies = repelem ((1:numel (w))', whole);
  rest = m - numel (copies);
  c = cumsum (e - whole) / rest;
  idx = [copies; lookup(c, rand(rest, 1)) + 1];
endfunction

function d = delta_peer (x)
  d = zeros (rows (x));
  for c = 1:5
    d += (x(:, c) - x(:, c)') .^ 2;
  endfor
  for c = 6:10
    d += (x(:, c) != x(:, c)') / 4;
  endfor
  d = sqrt (d);
endfunction

## How many calls of f last about 20 ms: each timing repeats the call that
## often, so that short calls (the resamplers, the single draws) are not
## timed one by one.
function calls = calls_for (f)
  if (isempty (f))
    calls = 0;
    return;
  endif
  tic;
  result = f ();       # one output: metric_distance_matrix insists on it
  calls = max (1, min (2000, ceil (0.02 / toc ())));
endfunction

function ns = time_once (f, elements, calls)
  if (isempty (f))
    ns = NaN;
    return;
  endif
  tic;
  for k = 1:calls
    result = f ();
  endfor
  ns = toc * 1e9 / (calls * elements);
endfunction

## loop_ns for an EXPRESSION of the Wishart rows' S, nu and n.
function ns = loop_ns_with (expression, calls, S, nu, n)
  eval (sprintf ("tic (); for k = 1:%d, y = %s; endfor; ns = toc () * 1e9 / %d;", calls, expression, calls));
endfunction

## What a user writes for N Wishart draws with the statistics package.
function w = wishrnd_loop (scale, nu, n)
  w = zeros (rows (scale), columns (scale), n);
  for k = 1:n
    w(:, :, k) = wishrnd (scale, nu);
  endfor
endfunction

## Nanoseconds per pass of `for k = 1:calls, y = EXPRESSION; endfor`.
function ns = loop_ns (expression, calls)
  eval (sprintf ("tic (); for k = 1:%d, y = %s; endfor; ns = toc () * 1e9 / %d;", calls, expression, calls));
endfunction

## The values a plan's job consumes, drawn as the plug-in would draw them.
function [u, z] = plan_values (plan)
  [nu, nz] = plan{3:4};
  if (isscalar (nu))
    u = rand (nu, 1);
  else
    u = rand (nu);
  endif
  z = randn (nz, 1);
endfunction

## The compiled arithmetic on values drawn beforehand, plus the host's cost
## of drawing exactly the values it used in one rand and one randn call.
function ns = limit_once (plan, elements, threads)
  if (isempty (plan))
    ns = NaN;
    return;
  endif
  [u, z] = plan_values (plan);
  tic;
  [~, used_u, used_z] = bench_limit (plan{1}, threads, plan{2}, u, z, plan{5:end});
  t = toc;
  clear u z;
  tic;
  u = rand (used_u, 1);
  z = randn (used_z, 1);
  t += toc;
  ns = t * 1e9 / elements;
endfunction

## Whether the limit's pass gives the plug-in's bits from the same seed
## (simplex transforms its uniforms in place, as the plug-in does).
function same = limit_matches (plug_in, plan)
  rand ("state", 3);
  randn ("state", 3);
  expected = plug_in ();
  rand ("state", 3);
  randn ("state", 3);
  [u, z] = plan_values (plan);
  y = bench_limit (plan{1}, 1, plan{2}, u, z, plan{5:end});
  if (strcmp (plan{1}, "simplex"))
    y = u;
  endif
  same = isequal (size (y), size (expected)) && isequal (typecast (y(:), "uint64"), typecast (expected(:), "uint64"));
endfunction

## f () with SAMPLEKIT_THREADS set to `threads` ("" for the default).
function ns = time_threads (f, elements, calls, threads)
  if (isempty (threads))
    unsetenv ("SAMPLEKIT_THREADS");
  else
    setenv ("SAMPLEKIT_THREADS", threads);
  endif
  ns = time_once (f, elements, calls);
  unsetenv ("SAMPLEKIT_THREADS");
endfunction

runs = str2double (getenv ("BENCH_RUNS"));
if (isnan (runs))
  runs = 3;
endif
cores = min (nproc (), 64);
calls = zeros (rows (jobs), 2);
for j = 1:rows (jobs)
  if (! isempty (jobs{j, 5}) && ! limit_matches (jobs{j, 3}, jobs{j, 5}))
    printf ("warning: the limit of %s does not give the plug-in's bits\n", jobs{j, 1});
  endif
  calls(j, :) = [calls_for(jobs{j, 3}), calls_for(jobs{j, 4})];
endfor
## Each run times every job `repeats` times, the five columns interleaved;
## the table shows the median over runs of each run's median.
timed_columns = 5;
medians = NaN (rows (jobs), timed_columns, runs);
for run = 1:runs
  for j = 1:rows (jobs)
    t = NaN (repeats, timed_columns);
    for r = 1:repeats
      t(r, 1) = time_threads (jobs{j, 3}, jobs{j, 2}, calls(j, 1), "1");
      t(r, 2) = time_threads (jobs{j, 3}, jobs{j, 2}, calls(j, 1), "");
      t(r, 3) = time_once (jobs{j, 4}, jobs{j, 2}, calls(j, 2));
      t(r, 4) = limit_once (jobs{j, 5}, jobs{j, 2}, 1);
      t(r, 5) = limit_once (jobs{j, 5}, jobs{j, 2}, cores);
    endfor
    medians(j, :, run) = median (t, 1);
  endfor
endfor
m = median (medians, 3);
printf ("%-38s %9s %9s %9s %7s %7s %9s %9s %7s\n", "job", "1 thread", "default", "peer", "ratio",
        "(1 thr)", "limit 1", "limit", "x limit");
for j = 1:rows (jobs)
  printf ("%-38s %9.1f %9.1f %9.1f %7.2f %7.2f %9.1f %9.1f %7.2f\n", jobs{j, 1}, m(j, 1), m(j, 2),
          m(j, 3), m(j, 2) / m(j, 3), m(j, 1) / m(j, 3), m(j, 4), m(j, 5), m(j, 2) / m(j, 5));
endfor
printf ("ns per element (per call for the single draws); median of %d runs of %d repeats;\n", runs, repeats);
printf ("default: SAMPLEKIT_THREADS unset (%d cores here); ratio = default / peer, (1 thr) = 1 thread / peer;\n", cores);
printf ("limit = host values drawn in one call + the cheapest compiled pass, on 1 and %d threads\n", cores);
gig_row = find (strcmp (jobs(:, 1), "gig_draws(0.5, 2, 3) 1e6"));
ars_row = find (strcmp (jobs(:, 1), "gig_ars_draw(per call)"));
printf ("gig_ars_draw per call / gig_draws per draw: %.0f\n", m(ars_row, 2) / m(gig_row, 2));
## Single draws per call, as a Gibbs sampler's loop calls them, against the
## line a user would write and against an empty MEX call (bench_empty):
## each loop is timed as written, the rounds interleaved. The rows below
## them build up the least an exact draw can cost: an empty call with the
## draw's arguments, then the per-call check that rand is the builtin,
## then one and two uniforms drawn exactly (bench_host_values), each
## value-drawing call saving Octave's generator state as rand does.
lines = {"bench_empty ()", "(2*5/2) / randg (2.5)", "scaled_invchi2_draw (2, 5)", ...
         "mean_dof_gamma_draw (2, 5)", "gig_ars_draw (2, 3, 1.5, 0.5, 2)", ...
         "bench_empty (2, 5)", "bench_empty (2, 3, 1.5, 0.5, 2)", "bench_host_values (0, 5)", ...
         "bench_host_values (1, 5)", "bench_host_values (2, 5)"};
per_call = NaN (numel (lines), runs * repeats);
for round = 1:columns (per_call)
  for j = 1:numel (lines)
    per_call(j, round) = loop_ns (lines{j}, 20000);
  endfor
endfor
per_call = median (per_call, 2);
printf ("\n%-38s %9s %12s %12s\n", "per call", "ns", "x randg line", "x empty MEX");
for j = 1:numel (lines)
  printf ("%-38s %9.0f %12.2f %12.2f\n", lines{j}, per_call(j), per_call(j) / per_call(2),
          per_call(j) / per_call(1));
endfor
## The host check, which each module runs once, at its first value from
## Octave's generator: one uniform drawn with the check made to run again,
## against one drawn without it.
check = NaN (runs * repeats, 2);
for round = 1:rows (check)
  check(round, :) = [loop_ns("bench_host_values (-1, 5)", 200), loop_ns("bench_host_values (1, 5)", 200)];
endfor
check = median (check, 1);
printf ("\nthe host check, once per module: %.0f us (%.0f ns a call with it, %.0f without)\n",
        (check(1) - check(2)) / 1000, check(1), check(2));
## Ctrl-C: how long after SIGINT an interactive child answers its next
## command, the signal a second into each call (the calls of several
## gigabytes a new user tried; tests/test_interrupt.m checks that every long
## call stops early, with no bound on the time).
addpath (fullfile (root, "tests", "helpers"));
long_calls = {"exponential_draws (1, 3e8, 1)", "student_t_draws (4, 5e8, 1)", ...
              "resample_multinomial (w, 3e8, 1)", "dirichlet_draws (0.5 * ones (10, 1), 3e7)", ...
              "truncated_normal_draws (0, 1, 8, Inf, 3e8, 1)", "polya_gamma_draws (1, 0, 2e8, 1)", ...
              "normalized_weights (z)"};
child = interrupt_child ("start", fullfile (root, "build"));
interrupt_child ("send", child, "w = rand (1e6, 1); z = zeros (1000, 2e5); disp ('SET')");
interrupt_child ("await", child, "SET", 120);
answers = NaN (numel (long_calls), runs);
for run = 1:runs
  for j = 1:numel (long_calls)
    answers(j, run) = interrupt_child ("answer", child, long_calls{j}, 1);
  endfor
endfor
interrupt_child ("stop", child);
printf ("\n%-48s %9s\n", "Ctrl-C a second into the call", "answer s");
for j = 1:numel (long_calls)
  printf ("%-48s %9.3f%s\n", long_calls{j}, median (answers(j, :)), ifelse_text (median (answers(j, :)) > 0.5, "  (over 0.5 s)"));
endfor

## Wishart draws against the statistics package's wishrnd and iwishrnd (p =
## 5): one inverse-Wishart draw per call, as a Gibbs sampler's iteration
## makes it, and 1e4 Wishart draws in one call against a loop of wishrnd
## (and, for reference, wishrnd's own N argument). The package shadows core
## functions (mean, median, ...): it is loaded for the timings alone, and
## unloaded before their medians are taken. make bench installs it through
## apt-get (octave-statistics) where it can; without it the ratios are
## skipped.
x_w = randn (40, 5);
scale_w = x_w' * x_w / 40;
nu_w = 9;
draws_w = 1e4;
wishart_lines = {"inverse_wishart_draws (S, nu)", 2000;
                 "iwishrnd (S, nu)", 200;
                 "wishart_draws (S, nu, n)", 3;
                 "wishrnd_loop (S, nu, n)", 1;
                 "wishrnd (S, nu, [], n)", 1};
warning ("off", "Octave:shadowed-function");
have_statistics = false;
try
  pkg load statistics;
  have_statistics = exist ("iwishrnd") == 2 && exist ("wishrnd") == 2;
catch
end_try_catch
timed = [1 3];                  # ours; the peers too where the package is
if (have_statistics)
  timed = 1:rows (wishart_lines);
endif
wishart_ns = NaN (rows (wishart_lines), runs * repeats);
for round = 1:columns (wishart_ns)
  for j = timed
    wishart_ns(j, round) = loop_ns_with (wishart_lines{j, 1}, wishart_lines{j, 2}, scale_w, nu_w, draws_w);
  endfor
endfor
if (have_statistics)
  pkg unload statistics;
endif
wishart_ns = median (wishart_ns, 2);
printf ("\n%-44s %12s %9s\n", "Wishart, p = 5, nu = 9 (median of rounds)", "us per call", "ratio");
## Each peer's row shows ours over it: row 1 over row 2, row 3 over rows 4, 5.
ours = [NaN 1 NaN 3 3];
for j = 1:rows (wishart_lines)
  ratio = "";
  if (! isnan (ours(j)) && have_statistics)
    ratio = sprintf ("%9.4f", wishart_ns(ours(j)) / wishart_ns(j));
  endif
  printf ("%-44s %12.1f %9s\n", wishart_lines{j, 1}, wishart_ns(j) / 1e3, ratio);
endfor
if (! have_statistics)
  printf ("the statistics package is not installed (Debian: octave-statistics): the peers and ratios are skipped\n");
endif
printf ("S = X' * X / 40, X 40 x 5 from randn; nu = %d, n = %d; ratios: inverse_wishart_draws per\n", nu_w, draws_w);
printf ("call / iwishrnd per call, and wishart_draws (S, nu, n) / each peer\n");

## Peak memory is measured in a fresh process, whose heap holds no freed
## memory that the call could reuse unseen.
octave = fullfile (OCTAVE_HOME (), "bin", "octave-cli");
for expression = {"scaled_invchi2_draws (2, 5, 1e6, 1)", "mean_dof_gamma_draws (2, 5, 1e6, 1)", ...
                  "student_t_draws (4, 1e6, 1)", "randg (2.5, 1e6, 1)"}
  [~, text] = system (sprintf ("'%s' --no-gui -q '%s' '%s'", octave,
                               fullfile (root, "bench", "peak_memory.m"), expression{1}));
  printf ("%s", text);
endfor
## mcmc_summary against R's posterior package, in a function of its own
## (bench/mcmc_bench.m).
addpath (fullfile (root, "bench"));
mcmc_bench (runs);
