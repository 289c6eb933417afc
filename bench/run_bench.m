## Benchmarks: each samplekit function against the best Octave way to do
## the same job, in one process, repeats interleaved. Prints nanoseconds per
## element (per call for the single draws), the ratio plug-in / peer and,
## for the jobs whose cost is mostly host values, the job's limit: those
## values drawn in one call plus one compiled pass of the job's arithmetic
## (timed by the bench-only module bench_limit). Ends with the peak memory
## of a 1e6-element gamma-family call.
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
delta_metric = struct ("type", "metric_euclidean", "lengthScale", [1 2], ...
                       "components", {{1:5, 6:10}}, "deltadist", logical ([0 1]));
xr = round (3 * rand (2000, 10));
s2_n = 0.5 + 3 * rand (n, 1);
nu_n = 0.5 + 10 * rand (n, 1);
lambda_n = -3 + 6 * rand (n, 1);
z_pg = 2 * randn (1e5, 1);

## {name, elements, plug-in, peer, limit}: the limit is {job, count,
## uniforms, normals, parameters...} for bench_limit, or {} where the target
## is the Octave peer alone.
jobs = {
  "scaled_invchi2_draws(2, 5)", n, @() scaled_invchi2_draws(2, 5, n, 1), @() 5 ./ randg(2.5, n, 1), {"invchi2", n, 4 * n, 0, 2, 5};
  "scaled_invchi2_draws per-element", n, @() scaled_invchi2_draws(s2_n, nu_n), @() (s2_n .* nu_n / 2) ./ randg(nu_n / 2), {"invchi2", n, 4 * n, 0, s2_n, nu_n};
  "mean_dof_gamma_draws(2, 5)", n, @() mean_dof_gamma_draws(2, 5, n, 1), @() randg(2.5, n, 1) * 0.8, {"gamma_mean", n, 4 * n, 0, 2, 5};
  "mean_dof_gamma_draws per-element", n, @() mean_dof_gamma_draws(s2_n, nu_n), @() (randg(nu_n / 2) * 2) .* s2_n ./ nu_n, {"gamma_mean", n, 4 * n, 0, s2_n, nu_n};
  "student_t_draws(4)", n, @() student_t_draws(4, n, 1), @() randn(n, 1) ./ sqrt(randg(2, n, 1) / 2), {"t", n, 4 * n, n, 4};
  "student_t_draws(1)", n, @() student_t_draws(1, n, 1), @() randn(n, 1) ./ randn(n, 1), {"t", n, 0, 2 * n, 1};
  "student_t_draws(2)", n, @() student_t_draws(2, n, 1), @() randn(n, 1) ./ sqrt(randg(1, n, 1)), {"t", n, n, n, 2};
  "exponential_draws(2)", n, @() exponential_draws(2, n, 1), @() -2 * log(rand(n, 1)), {"exp", n, n, 0, 2};
  "simplex_weight_draws(100, 1e4)", 1e6, @() simplex_weight_draws(100, 1e4), @() normalise_columns(-log(rand(100, 1e4))), {"simplex", 1e6, [100 1e4], 0, 100};
  "bayes_boot_mean 1000x10, B 2000", 2000 * 1000, @() bayes_boot_mean(x1000, 2000), @() boot_mean_peer(x1000, 2000), {"boot_mean", 2e6, [1000 2000], 0, x1000};
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
  "digamma_array 1e6", n, @() digamma_array(xd), @() psi(xd), {};
  "tanh_array 1e6", n, @() tanh_array(xt), @() tanh(xt), {};
  "metric_distance_matrix 2000x10", 2000 ^ 2, @() metric_distance_matrix(single_metric, xm), @() sqrt(max(sumsq(xm, 2) + sumsq(xm, 2)' - 2 * (xm * xm'), 0)), {};
  "metric with a delta component", 2000 ^ 2, @() metric_distance_matrix(delta_metric, xr), @() delta_peer(xr), {};
  "scaled_invchi2_draw(per call)", 1, @() scaled_invchi2_draw(2, 5), @() 5 / randg(2.5), {};
  "gig_ars_draw(per call)", 1, @() gig_ars_draw(2, 3, 1.5, 0.5, 2), [], {}};

function y = normalise_columns (e)
  y = e ./ sum (e);
endfunction

## What an Octave user writes without a PG sampler: the definition's sum of
## gammas cut at 200 terms (an approximation, biased low by about b / 800).
function x = pg_series_peer (b, z, n)
  k = 1:200;
  x = sum (randg (b, n, 200) ./ ((k - 0.5) .^ 2 + z .^ 2 / (4 * pi ^ 2)), 2) / (2 * pi ^ 2);
endfunction

function r = boot_mean_peer (x, b)
  weights = -log (rand (rows (x), b));
  r = (weights ./ sum (weights))' * x;
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

function ns = time_once (f, elements)
  if (isempty (f))
    ns = NaN;
    return;
  endif
  calls = 1;
  if (elements == 1)
    calls = 2000;        # single draws: time many calls
  endif
  tic;
  for k = 1:calls
    result = f ();     # one output: metric_distance_matrix insists on it
  endfor
  ns = toc * 1e9 / (calls * elements);
endfunction

## Nanoseconds per pass of `for k = 1:calls, y = EXPRESSION; endfor`.
function ns = loop_ns (expression, calls)
  eval (sprintf ("tic (); for k = 1:%d, y = %s; endfor; ns = toc () * 1e9 / %d;", calls, expression, calls));
endfunction

## The compiled arithmetic on values drawn beforehand, plus the host's cost
## of drawing exactly the values it used in one rand and one randn call.
function ns = limit_once (plan, elements)
  if (isempty (plan))
    ns = NaN;
    return;
  endif
  [job, count, nu, nz] = plan{1:4};
  if (isscalar (nu))
    u = rand (nu, 1);
  else
    u = rand (nu);
  endif
  z = randn (nz, 1);
  tic;
  [~, used_u, used_z] = bench_limit (job, count, u, z, plan{5:end});
  t = toc;
  clear u z;
  tic;
  u = rand (used_u, 1);
  z = randn (used_z, 1);
  t += toc;
  ns = t * 1e9 / elements;
endfunction

runs = str2double (getenv ("BENCH_RUNS"));
if (isnan (runs))
  runs = 3;
endif
## Each run times every job `repeats` times, the three columns interleaved;
## the table shows the median over runs of each run's median.
medians = NaN (rows (jobs), 3, runs);
mins = Inf (rows (jobs), 3);
for run = 1:runs
  for j = 1:rows (jobs)
    t = NaN (repeats, 3);
    for r = 1:repeats
      t(r, 1) = time_once (jobs{j, 3}, jobs{j, 2});
      t(r, 2) = time_once (jobs{j, 4}, jobs{j, 2});
      t(r, 3) = limit_once (jobs{j, 5}, jobs{j, 2});
    endfor
    medians(j, :, run) = median (t, 1);
    mins(j, :) = min (mins(j, :), min (t, [], 1));
  endfor
endfor
m = median (medians, 3);
printf ("%-38s %9s %9s %9s %9s %7s %9s %8s\n", "job", "plug-in", "(min)", "peer", "(min)",
        "ratio", "limit", "x limit");
for j = 1:rows (jobs)
  printf ("%-38s %9.1f %9.1f %9.1f %9.1f %7.2f %9.1f %8.2f\n", jobs{j, 1}, m(j, 1), mins(j, 1),
          m(j, 2), mins(j, 2), m(j, 1) / m(j, 2), m(j, 3), m(j, 1) / m(j, 3));
endfor
printf ("ns per element (per call for the single draws); median of %d runs of %d repeats;\n", runs, repeats);
printf ("ratio = plug-in / peer; limit = host values drawn in one call + one compiled pass\n");
gig_row = find (strcmp (jobs(:, 1), "gig_draws(0.5, 2, 3) 1e6"));
ars_row = find (strcmp (jobs(:, 1), "gig_ars_draw(per call)"));
printf ("gig_ars_draw per call / gig_draws per draw: %.0f\n", m(ars_row, 1) / m(gig_row, 1));
## Single draws per call, as a Gibbs sampler's loop calls them, against the
## line a user would write and against an empty MEX call (bench_empty):
## each loop is timed as written, the rounds interleaved.
lines = {"bench_empty ()", "(2*5/2) / randg (2.5)", "scaled_invchi2_draw (2, 5)", ...
         "mean_dof_gamma_draw (2, 5)", "gig_ars_draw (2, 3, 1.5, 0.5, 2)"};
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
## Peak memory is measured in a fresh process, whose heap holds no freed
## memory that the call could reuse unseen.
octave = fullfile (OCTAVE_HOME (), "bin", "octave-cli");
for expression = {"scaled_invchi2_draws (2, 5, 1e6, 1)", "mean_dof_gamma_draws (2, 5, 1e6, 1)", ...
                  "student_t_draws (4, 1e6, 1)", "randg (2.5, 1e6, 1)"}
  [~, text] = system (sprintf ("'%s' --no-gui -q '%s' '%s'", octave,
                               fullfile (root, "bench", "peak_memory.m"), expression{1}));
  printf ("%s", text);
endfor
