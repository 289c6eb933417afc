## TRACE = gibbs_chain (Y, SWEEPS)
## TRACE = gibbs_chain (Y, SWEEPS, MASTER, K)
## One chain of the Gibbs sampler for the hierarchical normal model of
## gibbs_hierarchical.m on the data Y (one column per group): SWEEPS rows of
## [mu, sigma2, tau2, theta]. With MASTER and K it first seeds rand and randn
## by samplekit_worker_seed (MASTER, K), so that the chain is the same in
## whichever process runs it; without them it draws from the current streams.
## A function file, so that parcellfun's and netcellfun's workers find it.
function trace = gibbs_chain (y, sweeps, master, k)
  if (nargin == 4)
    samplekit_worker_seed (master, k);
  endif
  [per_group, groups] = size (y);
  n = numel (y);
  nu0 = 2;  s0 = 4;  nu1 = 2;  s1 = 1;
  trace = zeros (sweeps, 3 + groups);
  theta = mean (y);  mu = mean (theta);  sigma2 = var (y(:));  tau2 = var (theta);
  for sweep = 1:sweeps
    precision = per_group / sigma2 + 1 / tau2;
    theta = (sum (y) / sigma2 + mu / tau2) / precision + randn (1, groups) / sqrt (precision);
    mu = mean (theta) + sqrt (tau2 / groups) * randn ();
    sse = sum (sum ((y - theta) .^ 2));
    ## The precision 1 / sigma2 is gamma by mean and degrees of freedom; odd
    ## sweeps draw it that way, even ones draw sigma2 itself.
    if (mod (sweep, 2))
      sigma2 = 1 / mean_dof_gamma_draw ((nu0 + n) / (nu0 * s0 + sse), nu0 + n);
    else
      sigma2 = scaled_invchi2_draw ((nu0 * s0 + sse) / (nu0 + n), nu0 + n);
    endif
    tau2 = scaled_invchi2_draw ((nu1 * s1 + sum ((theta - mu) .^ 2)) / (nu1 + groups), nu1 + groups);
    trace(sweep, :) = [mu, sigma2, tau2, theta];
  endfor
endfunction
