## flat_memory (CALLS)
## Calls every plug-in CALLS times (default 100000) in a loop, every other
## call malformed, and prints how much Octave's resident memory grew over
## each loop after a warm-up. Run with: make memcheck
function flat_memory (calls)
  if (nargin < 1)
    calls = 100000;
  endif
  metric = struct ("type", "metric_euclidean", "lengthScale", 1, ...
                   "components", {{[1 2]}}, "deltadist", false);
  jobs = {
    "scaled_invchi2_draws", {2, 5, 2, 2}, {2, 5, -1, 2};
    "scaled_invchi2_draw", {2, 5}, {{2}, 5};
    "mean_dof_gamma_draws", {2, 5, 2, 2}, {ones(2), ones(3)};
    "mean_dof_gamma_draw", {2, 5}, {[], 5};
    "student_t_draws", {[1 2; 3 4]}, {4, NaN, 2};
    "exponential_draws", {2, 2, 2}, {int8([1 2])};
    "simplex_weight_draws", {3, 2}, {[1 2]};
    "gig_ars_draw", {2, 3, 1.5, 0.5, 2}, {0, 3, 1.5, 0.5, 2};
    "bayes_boot_mean", {[1 2; 3 4; 5 6], 2}, {[1; 2], 1, [1 1]};
    "bayes_boot_percentiles", {(1:5)', [10 90], 2}, {zeros(3, 0), 50};
    "resample_multinomial", {[1 2 3], 2}, {[1 -1]};
    "resample_residual", {[1 2 3], 2}, {[0 0]};
    "resample_stratified", {[1 2 3], 2}, {[1 2], [1 2]};
    "resample_deterministic", {[1 2 3], 2}, {[1 2], NaN};
    "resample_systematic", {[1 2 3], 2}, {[1 NaN]};
    "gig_draws", {0.5, [1 2], 3}, {1, 1, 0};
    "polya_gamma_draws", {[0.5 3.7], [1 -2]}, {0, 1};
    "dirichlet_draws", {[0.5 2 3], 2}, {[1 -1]};
    "truncated_normal_draws", {0, 1, [-1 8], [2 Inf]}, {0, 1, 1, 1};
    "normalized_weights", {[0 -1; -Inf 2]}, {[0 NaN]};
    "categorical_draws", {[0 -1; -Inf 2], 3}, {[0 -1; -Inf -Inf]};
    "weighted_sample", {[1 0 2 3], 2, 2}, {[1 0 2], 3};
    "digamma_array", {[1 2; 3 4]}, {single(1)};
    "tanh_array", {[1 2; 3 4]}, {{1}};
    "metric_distance_matrix", {metric, [1 2; 3 4; 5 6]}, {setfield(metric, "components", {[1 9]}), [1 2]};
    "mcmc_summary", {reshape(mod ((1:40) * 0.618, 1), 10, 2, 2)}, {ones(10, 2, 2), {"a"}};
    "wishart_draws", {[2 0.5; 0.5 1], 3, 2}, {[1 2; 2 1], 3};      # refused after its Cholesky
    "inverse_wishart_draws", {[2 0.5; 0.5 1], 3, 2}, {eye(3), 1}};
  printf ("%-24s %10s %12s\n", "function", "calls", "growth (kB)");
  worst = 0;
  for j = 1:rows (jobs)
    f = str2func (jobs{j, 1});
    run_loop (f, jobs{j, 2}, jobs{j, 3}, 1000);
    before = resident_kb ();
    run_loop (f, jobs{j, 2}, jobs{j, 3}, calls);
    growth = resident_kb () - before;
    worst = max (worst, growth);
    printf ("%-24s %10d %12d\n", jobs{j, 1}, calls, growth);
  endfor
  printf ("largest growth: %d kB\n", worst);
endfunction

function run_loop (f, good, bad, calls)
  for k = 1:calls
    if (mod (k, 2))
      y = f (good{:});
    else
      try
        y = f (bad{:});
      catch
      end_try_catch
    endif
  endfor
endfunction

function kb = resident_kb ()
  status = fileread ("/proc/self/status");
  kb = str2double (regexp (status, 'VmRSS:\s*(\d+)', "tokens", "once"){1});
endfunction
