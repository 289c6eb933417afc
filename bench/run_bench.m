## Benchmarks: each samplekit function against the best Octave way to do
## the same job, in one process, repeats interleaved. Prints min and median
## nanoseconds per element (per call for the single draws) and the ratio
## plug-in / peer, beside "host draw": the cost of the host values the job
## needs drawn in one call, the floor that no per-value design reaches.
## Run with: make bench (BENCH_REPEATS sets the repeats, default 5).

root = fileparts (fileparts (mfilename ("fullpath")));
addpath (fullfile (root, "build"));
repeats = str2double (getenv ("BENCH_REPEATS"));
if (isnan (repeats))
  repeats = 5;
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

## {name, elements, plug-in, peer, host values drawn in one call}
jobs = {
  "scaled_invchi2_draws(2, 5)", n, @() scaled_invchi2_draws(2, 5, n, 1), @() 5 ./ randg(2.5, n, 1), @() rand(2 * n, 1);
  "scaled_invchi2_draws per-element", n, @() scaled_invchi2_draws(2 * ones(n, 1), 5 * ones(n, 1)), @() 5 ./ randg(2.5 * ones(n, 1)), @() rand(2 * n, 1);
  "mean_dof_gamma_draws(2, 5)", n, @() mean_dof_gamma_draws(2, 5, n, 1), @() randg(2.5, n, 1) * 0.8, @() rand(2 * n, 1);
  "student_t_draws(4)", n, @() student_t_draws(4, n, 1), @() randn(n, 1) ./ sqrt(randg(2, n, 1) / 2), @() randn(n, 1);
  "student_t_draws(1)", n, @() student_t_draws(1, n, 1), @() randn(n, 1) ./ randn(n, 1), @() randn(2 * n, 1);
  "student_t_draws(2)", n, @() student_t_draws(2, n, 1), @() randn(n, 1) ./ sqrt(randg(1, n, 1)), @() rand(n, 1);
  "exponential_draws(2)", n, @() exponential_draws(2, n, 1), @() -2 * log(rand(n, 1)), @() rand(n, 1);
  "simplex_weight_draws(100, 1e4)", 1e6, @() simplex_weight_draws(100, 1e4), @() normalise_columns(-log(rand(100, 1e4))), @() rand(100, 1e4);
  "bayes_boot_mean 1000x10, B 2000", 2000 * 1000, @() bayes_boot_mean(x1000, 2000), @() boot_mean_peer(x1000, 2000), @() rand(1000, 2000);
  "bayes_boot_percentiles 1000, B 2000", 2000 * 1000, @() bayes_boot_percentiles(sorted, [2.5 50 97.5], 2000), @() boot_percentiles_peer(sorted, [2.5 50 97.5], 2000), @() rand(1000, 2000);
  "resample_multinomial 1e5", 1e5, @() resample_multinomial(w, 1e5, 1), @() lookup(cw, rand(1e5, 1)) + 1, @() rand(1e5, 1);
  "resample_residual 1e5", 1e5, @() resample_residual(w, 1e5, 1), @() residual_peer(w, 1e5), @() rand(1e5, 1);
  "resample_stratified 1e5", 1e5, @() resample_stratified(w, 1e5, 1), @() lookup(cw * 1e5, (0:1e5-1)' + rand(1e5, 1)) + 1, @() rand(1e5, 1);
  "resample_deterministic 1e5", 1e5, @() resample_deterministic(w, 1e5, 1), @() lookup(cw * 1e5, (0:1e5-1)' + 0.5) + 1, @() [];
  "digamma_array 1e6", n, @() digamma_array(xd), @() psi(xd), @() [];
  "tanh_array 1e6", n, @() tanh_array(xt), @() tanh(xt), @() [];
  "metric_distance_matrix 2000x10", 2000 ^ 2, @() metric_distance_matrix(single_metric, xm), @() sqrt(max(sumsq(xm, 2) + sumsq(xm, 2)' - 2 * (xm * xm'), 0)), @() [];
  "metric with a delta component", 2000 ^ 2, @() metric_distance_matrix(delta_metric, xr), @() delta_peer(xr), @() [];
  "scaled_invchi2_draw(per call)", 1, @() scaled_invchi2_draw(2, 5), @() 5 / randg(2.5), @() rand();
  "gig_ars_draw(per call)", 1, @() gig_ars_draw(2, 3, 1.5, 0.5, 2), @() [], @() rand()};

function y = normalise_columns (e)
  y = e ./ sum (e);
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
  if (isempty (func2str (f)) || strcmp (func2str (f), "@() []"))
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

printf ("%-38s %11s %11s %11s %11s %8s %11s\n", "job", "plug-in min", "median", "peer min", "median", "ratio", "host draw");
for j = 1:rows (jobs)
  t = NaN (repeats, 3);
  for r = 1:repeats
    for c = 1:3
      t(r, c) = time_once (jobs{j, 2 + c}, jobs{j, 2});
    endfor
  endfor
  m = median (t, 1);
  printf ("%-38s %11.1f %11.1f %11.1f %11.1f %8.2f %11.1f\n", jobs{j, 1}, min (t(:, 1)), m(1),
          min (t(:, 2)), m(2), m(1) / m(2), m(3));
endfor
printf ("ns per element (per call for the single draws), %d repeats; ratio = plug-in median / peer median\n", repeats);
