## [NAME, ARGS, NOUT, HOST] = fuzz_call (SEED, K)
## The K-th call of the fuzz sequence SEED: a plug-in, its arguments (a
## valid call with some slots replaced by malformed values, arguments
## dropped or added), the number of outputs asked for, and the misbehaving
## host folder to put on the path ("" for Octave's own functions).
function [name, args, nout, host] = fuzz_call (seed, k)
  persistent pool = fuzz_pool ();
  persistent bases = valid_calls ();
  persistent names = fieldnames (valid_calls ());
  rand ("state", seed * 1000003 + k);
  pick = @(c) c{randi(numel (c))};
  name = names{randi(numel (names))};
  args = pick (bases.(name));
  nout = 1;
  if (rand () < 0.15)
    nout = randi (4) - 1;
  endif
  if (strcmp (name, "metric_distance_matrix") && rand () < 0.6)
    args{1} = mutate_metric (args{1}, pool, pick);
  endif
  for slot = 1:numel (args)
    if (rand () < 0.3)
      args{slot} = pick (pool);
    endif
  endfor
  if (rand () < 0.1)
    args = args(1:randi (numel (args) + 1) - 1);
  elseif (rand () < 0.1)
    args{end+1} = pick (pool);
  endif
  host = "";
  if (rand () < 0.05)
    host = pick ({"short_rand", "single_randn", "nothing_rand", "wrong_sort"});
  endif
endfunction

function m = mutate_metric (m, pool, pick)
  fields = {"type", "lengthScale", "components", "deltadist"};
  f = pick (fields);
  switch (randi (4))
    case 1
      m = rmfield (m, f);
    case 2
      m.(f) = pick (pool);
    case 3
      m.components{randi(numel (m.components))} = pick ({0, -1, 4, NaN, 2^40, 2.7, {1}, ...
                                                         int8(1), [], zeros(1, 0), [1 2; 3 1]});
    case 4
      m = pick ({repmat(m, 1, 2), m([]), struct()});
  endswitch
endfunction

function b = valid_calls ()
  two = {{2, 5}, {2, 5, 3, 2}, {[1 2; 3 4], 4}, {1, [3 4 5], 1, 3}, {[1 2], 4, [1 2]}};
  w = {{[1 2 3]}, {[0.5 0.25 0.25], 4}, {[1 0 2 1], 2, 3}};
  metric = struct ("type", "metric_euclidean", "lengthScale", [1 2], ...
                   "components", {{1, [2 3]}}, "deltadist", logical ([0 1]));
  b = struct ();
  b.scaled_invchi2_draws = two;
  b.scaled_invchi2_draw = {{2, 5}};
  b.mean_dof_gamma_draws = two;
  b.mean_dof_gamma_draw = {{2, 5}};
  b.student_t_draws = {{4}, {[1 2; 3 0.5]}, {4, 3, 2}, {1, 2, 2}, {4, int8([3; 2])}};
  b.exponential_draws = {{2}, {[1 2 3]}, {1, 3, 4}, {1, [3 4]}};
  b.simplex_weight_draws = {{3}, {3, 4}};
  b.gig_ars_draw = {{2, 3, 1.5, 0.5, 2}, {1, 4, 0, 1, 1}};
  b.bayes_boot_mean = {{[1 2; 3 4; 5 6]}, {[1; 2; 3], 3}, {[1 2; 3 4; 5 6], 2, [1; 2; 3]}};
  b.bayes_boot_percentiles = {{(1:5)', [10 50 90]}, {(1:5)', 50, 3}, {(1:4)', [5 95], 2, [1; 0; 2; 1]}};
  b.resample_multinomial = w;
  b.resample_residual = w;
  b.resample_stratified = w;
  b.resample_deterministic = w;
  b.resample_systematic = w;
  b.gig_draws = {{0.5, 2, 3}, {[1 -2], 1, [2 3]}, {0.5, 2, 3, 2, 3}, {-1, 2, 0, 1, 2}, {2, 0, 1}, ...
                 {0.5, 2, 3, [2 3]}};
  b.polya_gamma_draws = {{1, 0}, {[0.5 3.7], [-2 10]}, {2.5, 1, 2, 3}, {[1; 2], 0.5, 2, 1}, {1, 0, [2 3]}};
  b.dirichlet_draws = {{[1 2 3]}, {[0.5; 2], 4}, {[1 2; 3 4; 5 6]}, {[1e-4 1e-5], 3}};
  b.truncated_normal_draws = {{0, 1, -1, 2}, {0, 1, 8, Inf, 2, 3}, {[0 1], 1, [-Inf 2], [0 Inf]}, ...
                              {0, [1 2; 3 4], -1, 1}, {0, 1, 8, Inf, [2 3]}};
  b.normalized_weights = {{[0 -1 -Inf]}, {[1 2; 3 4]}, {(1:5)'}};
  b.categorical_draws = {{[0 -1 -Inf]}, {[0 1; -Inf 2; 3 -Inf], 3}, {(1:5)', 2}, {[1e300 -1e300; 0 0]}};
  b.weighted_sample = {{[1 0 2 3], 2}, {[0.5; 2; 1], 3, 4}, {[1 2 3], 0, 2}, {[0 1e-320 5], 2, 3}};
  b.digamma_array = {{[1 0.5 -0.5]}, {[1 2; 3 4]}};
  b.tanh_array = {{[-20 0 1e-9 3]}};
  b.metric_distance_matrix = {{metric, [1 2 3; 4 5 6; 7 8 8]}};
  chains = reshape (mod ((1:60) * 0.618, 1), 10, 3, 2);
  b.mcmc_summary = {{chains}, {chains, {"a", "b"}}, {chains(:, :, 1), "a"}, {[1 2 NaN; 4 Inf 6; 7 8 9; 1 1 1]}, ...
                    {(1:7)'}, {zeros(6, 2, 0)}};
  scales = {{[2 0.5; 0.5 1], 3}, {[2 0.5; 0.5 1], 3, 4}, {1, 0.5}, {eye(3), 2.5, 2}, ...
            {[1 0.2 0; 0.2 1 0.1; 0 0.1 1], 9, 0}};
  b.wishart_draws = scales;
  b.inverse_wishart_draws = scales;
endfunction
