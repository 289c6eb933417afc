## CALLS = digest_calls ()
## The fixed list of seeded calls whose digests tests/digests.txt
## keeps: one row per call, {NAME, GENERATOR, SEED, CALL}. Before CALL runs,
## rand (GENERATOR, SEED) and randn (GENERATOR, SEED) are set; "seed"
## selects Octave's older generator.
##
## Together the calls reach every branch of the gamma routine (through both
## gamma-family plug-ins and their single-draw forms), every construction of
## the t draws, every method of gig_draws, the five resamplers, both
## bootstraps, the metric's delta components, gig_ars_draw, both sides of
## every switch point of digamma_array and tanh_array, and the host-value
## blocks on both sides of their thresholds.
##
## Inputs are built from literals, integer ranges, plain arithmetic and the
## generators themselves, whose streams are the same on every Octave
## version; no Octave function whose rounding may change between versions
## (linspace, exp, non-integer ranges) makes an input.
##
## Rows may be added (then run make digests); a row's call must never be
## changed, or its stored digest no longer speaks for it.
function calls = digest_calls ()
  # One shape of every gamma branch: below 1e-5 (negative, zero, -Inf), the
  # edge 1e-5, the power branch (1e-3 floors to 1e-15), the exponential
  # branch (1, 1.00001), Best's rejection from the edge 1.00001 up (small
  # shapes reject on x < 0, large ones reach the log test), huge, NaN, Inf.
  nu = [-Inf -1 0 1e-5 1.9e-5 2e-5 2e-3 1 2 2.00001 2.00002 2.5 3 5 40 1e6 ...
        2e300 3e300 NaN Inf];
  nu_grid = repmat (nu, 40, 1);
  t_nu = repmat ([1 2 3 1.0000000001 0.5 1e-6 0 -1 NaN Inf 4 30], 25, 1);
  w = [0 0 3 0 1 2 0 0.5 0 0];
  # gig_draws: parameter sets by method, a column each (30 draws apiece).
  gig = [2.5    1     1     # mode-shifted ratio-of-uniforms, lambda > 1
         0.5    4     4     #   omega > 1
         -2     3     1     #   lambda < 0, drawn inverted
         50     2     3     #   large lambda: the series for the log ratios
         3      1e-12 1e-12 #   tiny omega
         0.5    1e6   1e6   #   huge omega
         0.5    0.8   0.8   # ratio-of-uniforms about 0
         0      0.7   0.7
         1      0.5   0.5
         0.2    0.05  0.05  # three-piece hat
         0      0.1   0.1   #   lambda = 0: the logarithmic power piece
         -0.6   0.02  0.3
         3      0     2     # chi = 0: gamma, shape >= 1
         1      0     2     #   shape 1: mode 0
         0.4    0     1.5   #   shape below 1
         -2.5   3     0     # psi = 0: inverse gamma
         -0.5   2     0];   #   shape below 1
  gig_grid = @(k) repmat (gig(:, k)', 30, 1);
  calls = {
    "invchi2_gamma_branches",      "state", 1,  @() scaled_invchi2_draws (1.5, nu_grid);
    "invchi2_per_element_s2",      "state", 2,  @() scaled_invchi2_draws (nu_grid / 7 - 1, 5);
    "invchi2_scalar_few",          "state", 3,  @() scaled_invchi2_draws (2, 5, 30, 1);
    "invchi2_scalar_blocks",       "state", 4,  @() scaled_invchi2_draws (2, 5, 40000, 1);
    "invchi2_power_branch",        "state", 5,  @() scaled_invchi2_draws (2, 1, 3, 200);
    "invchi2_exp_branch",          "state", 6,  @() scaled_invchi2_draws (2, 2.00001, 100, 1);
    "invchi2_array_and_size",      "state", 61, @() scaled_invchi2_draws ((1:12) / 4, 5, 1, 12);
    "invchi2_old_generator",       "seed",  7,  @() scaled_invchi2_draws (2, 5, 500, 1);
    "invchi2_single_draw",         "state", 8,  @() arrayfun (@(v) scaled_invchi2_draw (1.5, v), nu_grid(1:3, :));
    "mean_dof_gamma_branches",     "state", 9,  @() mean_dof_gamma_draws (nu_grid / 3, nu_grid);
    "mean_dof_gamma_scalar",       "state", 10, @() mean_dof_gamma_draws (1.5, 0.7, 70, 30);
    "mean_dof_gamma_single_draw",  "state", 11, @() arrayfun (@(v) mean_dof_gamma_draw (2, v), nu_grid(1:3, :));
    "t_per_element",               "state", 12, @() student_t_draws (t_nu);
    "t_cauchy",                    "state", 13, @() student_t_draws (1, 50, 4);
    "t_two",                       "state", 14, @() student_t_draws (2, 300, 1);
    "t_gamma_blocks",              "state", 15, @() student_t_draws (4, 5000, 1);
    "t_gamma_few",                 "state", 16, @() student_t_draws (0.5, 10, 1);
    "exponential_unit",            "state", 17, @() exponential_draws (1, 100, 3);
    "exponential_scalar",          "state", 18, @() exponential_draws (2.5, 4, 5);
    "exponential_per_element",     "state", 19, @() exponential_draws ([0 -1 NaN Inf 2; 1 3 0.5 7 1e-300]);
    "simplex_weights",             "state", 20, @() simplex_weight_draws (5, 40);
    "simplex_weights_one_row",     "state", 21, @() simplex_weight_draws (1, 5);
    "simplex_weights_tall",        "state", 22, @() simplex_weight_draws (1000, 3);
    "multinomial_zeros",           "state", 23, @() resample_multinomial (w, 25, 4);
    "multinomial_square",          "state", 24, @() resample_multinomial (w, 7);
    "multinomial_many",            "state", 25, @() resample_multinomial (weights_with_zeros (1000), 500, 2);
    "residual_zeros",              "state", 26, @() resample_residual (w, 25, 4);
    "residual_whole_counts",       "state", 27, @() resample_residual ([1 3 0 4], 8, 1);
    "residual_many",               "state", 28, @() resample_residual (weights_with_zeros (1000), 700, 1);
    "stratified_zeros",            "state", 29, @() resample_stratified (w, 25, 4);
    "stratified_heavy",            "state", 30, @() resample_stratified ([10 0 1 0 0 5 0.25], 64, 1);
    "stratified_many",             "state", 31, @() resample_stratified (weights_with_zeros (1000), 999, 1);
    "systematic_zeros",            "state", 32, @() resample_systematic (w, 25, 4);
    "systematic_shape_of_w",       "state", 33, @() resample_systematic (w);
    "systematic_many",             "state", 34, @() resample_systematic (weights_with_zeros (1000), 1000, 1);
    "deterministic_zeros",         "state", 35, @() resample_deterministic (w, 25, 4);
    "deterministic_many",          "state", 36, @() resample_deterministic (weights_with_zeros (1000), 333, 1);
    "boot_mean",                   "state", 37, @() bayes_boot_mean (randn (30, 3), 50);
    "boot_mean_prior",             "state", 38, @() bayes_boot_mean (randn (30, 11), 40, rand (30, 1) * 3);
    "boot_mean_one_replicate",     "state", 39, @() bayes_boot_mean (randn (12, 2));
    "boot_mean_merged_blocks",     "state", 40, @() bayes_boot_mean (randn (20, 9), 5000);
    "boot_mean_old_generator",     "seed",  41, @() bayes_boot_mean (randn (20, 2), 300);
    "boot_percentiles",            "state", 42, @() bayes_boot_percentiles (cumsum (rand (25, 1)), [50 2.5 0 100 150 97.5], 60);
    "boot_percentiles_prior",      "state", 43, @() bayes_boot_percentiles (cumsum (rand (25, 1)), [5 50 95], 3000, floor (rand (25, 1) * 4));
    "boot_percentiles_one",        "state", 44, @() bayes_boot_percentiles ((1:6)', [25 75]);
    "metric_delta",                "state", 45, @() metric_distance_matrix (delta_metric ([0.5 1 2]), metric_data ());
    "metric_delta_one_scale",      "state", 46, @() metric_distance_matrix (delta_metric (1.5), metric_data ());
    "gig_every_method",            "state", 47, @() gig_draws (gig_grid (1), gig_grid (2), gig_grid (3));
    "gig_scalar_blocks",           "state", 48, @() gig_draws (0.5, 2, 3, 40000, 1);
    "gig_three_piece_scalar",      "state", 49, @() gig_draws (0.2, 0.05, 0.05, 500, 1);
    "gig_inverse_gamma_scalar",    "state", 50, @() gig_draws (-1.5, 2, 0, 1, 300);
    "gig_ars",                     "state", 51, @() ars_draws ([2 3 1.5 0.5 2], 300);
    "gig_ars_gamma_like",          "state", 52, @() ars_draws ([1 2 0 1 5], 100);
    "gig_ars_inverse_gamma",       "state", 53, @() ars_draws ([1 4 0 1 1], 100);
    "gig_ars_far_start",           "state", 54, @() [ars_draws([1e-8 1 1 1 1], 50), ars_draws([1e8 1 1 1 1], 50)];
    "gig_ars_narrow",              "state", 55, @() ars_draws ([1 1000 1 1 1], 100);
    "gig_ars_negative_a3",         "state", 56, @() ars_draws ([1 2 -1 -2 3], 100);
    "digamma_switch_points",       "state", 57, @() digamma_array (digamma_points ());
    "digamma_spread",              "state", 58, @() digamma_array (rand (20, 50) * 40 - 20);
    "tanh_switch_points",          "state", 59, @() tanh_array (tanh_points ());
    "tanh_spread",                 "state", 60, @() tanh_array (rand (20, 50) * 44 - 22);
    "empty_outputs",               "state", 62, @() empty_sizes (w);
    # polya_gamma_draws: whole pieces on both sides of |z| = 3.125 (Levy or
    # inverse Gaussian proposal), fractions below and above 1/2 (one or two
    # pieces), tiny b, large b, the old generator.
    "polya_gamma_pieces",          "state", 81, @() polya_gamma_draws (repmat ([0.5 1 2.3 3.7 0.05 0.8 1 3], 20, 1), repmat ([0 0.5 -3 10 1 3.2 3.1 -4], 20, 1));
    "polya_gamma_scalar_blocks",   "state", 82, @() polya_gamma_draws (1, 2, 3000, 1);
    "polya_gamma_large_b",         "state", 83, @() polya_gamma_draws ([10 50; 50 10], [0 -1.5; 4 0.25]);
    "polya_gamma_tiny_b",          "state", 84, @() polya_gamma_draws ([1e-300 1e-8 0.001], [1e300 0 -2]);
    "polya_gamma_old_generator",   "seed",  85, @() polya_gamma_draws (1.5, 1, 200, 1);
    "dirichlet_every_branch",      "state", 63, @() dirichlet_and_log ([0.5 2 1e-3 7 4e4 1e-300 1], 200);
    "dirichlet_matrix_alpha",      "state", 64, @() dirichlet_draws ([1; 0.3; 5] * (1:50));
    "dirichlet_few",               "state", 65, @() dirichlet_and_log ([2 3], 10);
    "truncated_normal_regions",    "state", 66, @() truncated_normal_draws (0, 1, tn_bounds (1), tn_bounds (2));
    "truncated_normal_centre",     "state", 67, @() truncated_normal_draws (0, 1, -1, 2, 40000, 1);
    "truncated_normal_tail",       "state", 68, @() truncated_normal_draws (3, 2, 19, Inf, 20000, 1);
    "truncated_normal_scales",     "state", 69, @() tn_scales ();
    "normalized_weights",          "state", 70, @() weights_and_summaries (randn (50, 4) * 300);
    "new_empty_outputs",           "state", 71, @() [size(dirichlet_draws ([1 2], 0)), ...
                                                     size(truncated_normal_draws (0, 1, 0, 1, 0, 3)), ...
                                                     size(normalized_weights (zeros (0, 3)))];
    # categorical_draws: columns with -Inf, one spread over 1e300 and
    # realmax, enough columns for the worker threads, the old generator;
    # weighted_sample: many selections of the buffer, every positive weight
    # (one whose key overflows to Inf), the old generator, empty results.
    "categorical_columns",         "state", 91, @() categorical_draws ([randn(6, 40) * 30; -Inf(1, 40)], 7);
    "categorical_spread",          "state", 92, @() categorical_draws ([1e300 0 1e300 -1e300 -Inf -realmax], 50);
    "categorical_threads",         "state", 93, @() categorical_draws (randn (10, 30000));
    "categorical_old_generator",   "seed",  94, @() categorical_draws ([0 1 2; 3 -Inf 1; -1 -2 -3], 20);
    "weighted_sample_selections",  "state", 95, @() weighted_sample (weights_with_zeros (1000), 5, 20);
    "weighted_sample_all",         "state", 96, @() weighted_sample ([0 3 1 0 2 1e-320], 4, 30);
    "weighted_sample_old_generator", "seed", 97, @() weighted_sample ((1:50) / 7, 10, 40);
    "discrete_empty_outputs",      "state", 98, @() [size(categorical_draws (zeros (0, 3))), ...
                                                     size(categorical_draws (ones (2, 3), 0)), ...
                                                     size(weighted_sample ([1 2], 0)), ...
                                                     size(weighted_sample ([1 2], 2, 0))];
    "mcmc_summary",                "state", 86, @() summary_values (randn (501, 4, 3) + [0 0 0 0.5]);
    # Wishart and inverse-Wishart: the diagonal's gamma shapes in Best's,
    # the power and the exponential branch, one and many draws per call,
    # the old generator; W and C stacked.
    "wishart_branches",            "state", 101, @() wishart_pair (@wishart_draws, wishart_scale (), 2.5, 40);
    "wishart_exp_branch",          "state", 102, @() wishart_pair (@wishart_draws, [1 0.3; 0.3 2], 3.00001, 30);
    "wishart_larger",              "state", 103, @() wishart_draws (eye (6) + ones (6) / 4, 40, 200);
    "wishart_old_generator",       "seed",  104, @() wishart_pair (@wishart_draws, wishart_scale (), 5.5, 30);
    "inverse_wishart_branches",    "state", 105, @() wishart_pair (@inverse_wishart_draws, wishart_scale (), 2.5, 40);
    "inverse_wishart_one_by_one",  "state", 106, @() wishart_pair (@inverse_wishart_draws, 4, 0.3, 50);
    "inverse_wishart_single_draws", "state", 107, @() cat (3, inverse_wishart_draws (wishart_scale (), 7), ...
                                                         inverse_wishart_draws (wishart_scale (), 7));
    "wishart_empty_outputs",       "state", 108, @() [size(wishart_draws (eye (2), 3, 0)), ...
                                                     size(inverse_wishart_draws (1, 3, 0))];
  };
endfunction

## Every number of mcmc_summary (X), a row per field: no randomness, but
## the bits of its sorts, scores and sums are pinned too. Chains that mix
## fast keep to the lags summed directly: the FFT's twiddles come from the
## C library's cos and sin, whose last bits need not agree between versions.
function v = summary_values (x)
  v = cell2mat (struct2cell (mcmc_summary (x)(:))(2:end, :));
endfunction

function s = wishart_scale ()
  s = [2 0.5 0.3; 0.5 1 -0.2; 0.3 -0.2 1.5];
endfunction

## N draws of F (wishart_draws or inverse_wishart_draws) and their factors,
## W above C.
function y = wishart_pair (f, s, nu, n)
  [w, c] = f (s, nu, n);
  y = [w; c];
endfunction

## Uniform weights with about a third of them zero, leading and trailing
## zeros included.
function w = weights_with_zeros (n)
  w = rand (1, n) .* (rand (1, n) > 0.3);
  w([1 2 n]) = 0;
endfunction

function y = dirichlet_and_log (alpha, b)
  [y, logy] = dirichlet_draws (alpha, b);
  y = [y; logy];
endfunction

## Bounds of truncated_normal_draws, a column each, 30 draws apiece: around
## the mean wide and narrow, folded normal, uniform and Rayleigh on each
## side, far tails, and 1e-9 wide at 40.
function b = tn_bounds (k)
  bounds = [-1 2; -0.5 1; -1e-9 1e-9; 0.2 3; -3 -0.2; 1 1.3; -1.3 -1; 0.7 Inf; 5 5.5; ...
            8 Inf; -Inf -8; 40 Inf; 40 40.000000001];
  b = repmat (bounds(:, k)', 30, 1);
endfunction

## Huge and subnormal sigma, bounds at the largest doubles, 30 draws each.
function y = tn_scales ()
  p = repmat ([0 1e300 1 2; 0 1e-320 1 2; 1e308 1 -Inf -1e308; 0 1 1e200 Inf], 1, 1, 30);
  y = truncated_normal_draws (squeeze (p(:, 1, :)), squeeze (p(:, 2, :)), squeeze (p(:, 3, :)), ...
                              squeeze (p(:, 4, :)));
endfunction

function r = weights_and_summaries (logw)
  logw(3, 2) = -Inf;
  [w, ess, logmean] = normalized_weights (logw);
  r = [w; ess; logmean];
endfunction

function y = ars_draws (a, k)
  y = arrayfun (@(i) gig_ars_draw (a(1), a(2), a(3), a(4), a(5)), 1:k);
endfunction

## The sizes of empty results, whose calls must leave the generators where
## the digest finds them.
function s = empty_sizes (w)
  s = [size(scaled_invchi2_draws (2, 5, 0, 3)), size(student_t_draws (3, 4, 0)), ...
       size(exponential_draws (2, 0, 0)), size(simplex_weight_draws (0, 4)), ...
       size(gig_draws (0.5, 2, 3, 0, 5)), size(resample_multinomial (w, 0)), ...
       size(resample_residual (w, 0, 2)), size(resample_stratified (w, 3, 0)), ...
       size(resample_systematic (w, 0)), size(resample_deterministic (w, 0)), ...
       size(bayes_boot_mean (randn (5, 2), 0)), size(bayes_boot_percentiles ((1:3)', [], 4)), ...
       size(digamma_array (zeros (0, 3))), size(tanh_array (zeros (2, 0)))];
endfunction

## Components: columns 1 and 2 continuous, 3 and 4 categorical (4 with a
## NaN, which counts as a mismatch), 5 continuous.
function m = delta_metric (scales)
  m = struct ("type", "metric_euclidean", "lengthScale", scales, ...
              "components", {{[1 2], [3 4], 5}}, "deltadist", logical ([0 1 0]));
endfunction

function x = metric_data ()
  x = [randn(15, 2), floor(rand (15, 2) * 3), randn(15, 1)];
  x(4, 4) = NaN;
endfunction

## Each side of the reflection threshold -2^20, of the recurrence's end at 5,
## of the poles, and the special values.
function x = digamma_points ()
  x = [-Inf, -9007199254740994, -4503599627370497, -4503599627370495.5, ...
       -1048577, -1048576.5, -1048576.25, -1048576, -1048575.5, -2.5, -1, -0.5, ...
       -0, 0, 5e-324, 1e-300, 0.5, 1, 4.999999999999999, 5, 5.000000000000001, ...
       6, 1e15, 1e300, Inf, NaN];
  x = reshape ([x, -x(2:end-2)], 7, 7);
endfunction

## Each side of 18 (where the result is +-1) and of 1.5e-8 (where it is x).
function x = tanh_points ()
  x = [NaN, -Inf, Inf, 18, 18.000000000000004, 17.999999999999996, 1.5e-8, ...
       1.5000000000000002e-8, 1.4999999999999999e-8, 0, 5e-324, 1e-300, 0.5, 3];
  x = [x; -x];
endfunction
