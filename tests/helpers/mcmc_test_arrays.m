## CASES = mcmc_test_arrays ()
## The draws on which mcmc_summary is compared with R's posterior package:
## CASES is a cell array of rows {NAME, X}, X iterations x chains x
## variables, made from rand and randn under fixed seeds (the generators'
## states are restored afterwards), so that every Octave makes the same
## bits. tests/reference/make_mcmc_reference.m hands them to R.
function cases = mcmc_test_arrays ()
  restore = seeded (24);
  phis = [-0.5 0 0.3 0.6 0.9 0.99];
  cases = {
    ## AR(1) chains across the range of autocorrelation, even and odd lengths
    "ar1_phis_4x1000", ar1(1000, 4, phis);
    "ar1_phis_4x999", ar1(999, 4, phis);
    "ar1_0.99_2x5000", ar1(5000, 2, 0.99);   # a lag scan long enough for the FFT
    "ar1_0.95_1x20001", ar1(20001, 1, 0.95); # one chain, split in two
    "ar1_0.5_8x250", ar1(250, 8, [0.5 -0.3]);
    "ar1_0.7_2x101", ar1(101, 2, 0.7);
    ## chains that disagree: shifted means, different variances
    "shifted_means_4x500", ar1(500, 4, [0.2 0.2]) + reshape([0 0 0 0.5, 0 0 0 3], 1, 4, 2);
    "different_variances_4x400", ar1(400, 4, 0.3) .* [1 1 1 3];
    ## heavy tails: t with 1 and 2 degrees of freedom
    "t1_4x500", randn(500, 4, 2) ./ abs(randn(500, 4, 2));
    "t2_4x499", randn(499, 4) ./ sqrt(-log(rand(499, 4)));
    ## ties, constants and special values
    "rounded_4x300", round(2 * ar1(300, 4, [0.5 0.9]));
    "coarse_ties_2x200", round(0.5 * randn(200, 2));
    "constant_4x100", 3 * ones(100, 4);
    "one_constant_chain_4x100", [randn(100, 3), 3 * ones(100, 1)];
    "tiny_range_4x100", 1e-20 * randn(100, 4);
    "eps_range_4x100", reshape([ones(199, 1); 1 + eps; ones(200, 1)], 100, 4);
    "alternating_4x100", repmat([0; 1], 50, 4);
    "chains_apart_4x100", [zeros(100, 2), ones(100, 2)];
    "infinite_draw_4x100", with_value(randn(100, 4), 5, Inf);
    "minus_infinite_draw_4x100", with_value(randn(100, 4), 7, -Inf);
    "nan_draw_4x100", with_value(randn(100, 4), 9, NaN);
    ## short chains (below four iterations: no diagnostics, by design)
    "short_2x4", randn(2, 4);
    "short_3x4", randn(3, 4);
    "short_4x4", randn(4, 4);
    "short_5x1", randn(5, 1);
    "short_6x2", randn(6, 2);
    "short_7x2", randn(7, 2);
    "short_10x4", randn(10, 4);
    "short_11x1", randn(11, 1);
    "short_12x3", randn(12, 3)};
endfunction

## Stationary AR(1) chains, iterations x chains, one variable per phi.
function x = ar1 (iterations, chains, phis)
  x = zeros (iterations, chains, numel (phis));
  for k = 1:numel (phis)
    e = randn (iterations, chains);
    e(1, :) /= sqrt (1 - phis(k) ^ 2);
    x(:, :, k) = filter (1, [1, -phis(k)], e);
  endfor
endfunction

function x = with_value (x, k, value)
  x(k) = value;
endfunction
