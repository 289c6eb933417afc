## [RHAT, ESS] = chain_diagnostics (DRAWS)
## Split R-hat and effective sample size of each parameter, from DRAWS of
## size draws x parameters x chains (Gelman et al., Bayesian Data Analysis,
## 3rd ed., sections 11.4 and 11.5). Each chain is cut in halves first, so
## that a chain that drifts shows up as disagreement between its halves.
## With m half-chains of n draws, chain means mean_j and variances s_j^2:
##   B = n var_j (mean_j),  W = mean_j (s_j^2),  var+ = (n - 1) / n W + B / n
##   R-hat = sqrt (var+ / W)
##   rho_t = 1 - V_t / (2 var+), V_t the mean of (x(i) - x(i - t))^2 over
##           every chain and every i > t
##   ESS = m n / (1 + 2 (rho_1 + ... + rho_T)), T the first odd lag at which
##         rho_(T+1) + rho_(T+2) < 0 (past that the estimates are noise).
function [rhat, ess] = chain_diagnostics (draws)
  n = floor (rows (draws) / 2);
  halves = cat (3, draws(1:n, :, :), draws(end-n+1:end, :, :));
  within = mean (var (halves, 0, 1), 3);
  between = n * var (mean (halves, 1), 0, 3);
  var_plus = (n - 1) / n * within + between / n;
  rhat = sqrt (var_plus ./ within);
  ess = zeros (size (rhat));
  for p = 1:columns (draws)
    ess(p) = effective_size (squeeze (halves(:, p, :)), var_plus(p));
  endfor
endfunction

## ESS of one parameter from its half-chains CHAINS (n x m).
function ess = effective_size (chains, var_plus)
  n = rows (chains);
  lags = 1;
  total = autocorrelation (chains, 1, var_plus);
  while (lags + 2 < n)
    pair = autocorrelation (chains, lags + 1, var_plus) + autocorrelation (chains, lags + 2, var_plus);
    if (pair < 0)
      break;
    endif
    total += pair;
    lags += 2;
  endwhile
  ess = numel (chains) / (1 + 2 * total);
endfunction

## rho_t of the half-chains CHAINS from their lag-T differences.
function rho = autocorrelation (chains, t, var_plus)
  lagged = chains(t+1:end, :) - chains(1:end-t, :);
  rho = 1 - sumsq (lagged(:)) / numel (lagged) / (2 * var_plus);
endfunction
