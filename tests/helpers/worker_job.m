## RESULT = worker_job (Y, K)
## The suite's parallel job K: a short Gibbs chain on Y (examples/gibbs_chain.m,
## which seeds by samplekit_worker_seed (2026, K)), then scalar and array
## draws, resampling, the bootstrap and Octave's own randg, all continuing the
## job's streams. A function file, so that worker processes find it.
function result = worker_job (y, k)
  chain = gibbs_chain (y, 40, 2026, k);
  weights = exp (-chain(:, 1) .^ 2);
  result = {chain, gig_draws(0.5, 2, 3, 30, 1), student_t_draws(4, 30, 1), ...
            resample_systematic(weights, 40, 1), resample_multinomial(weights, 40, 1), ...
            bayes_boot_mean(y, 10), gig_ars_draw(1, 2, 3, 4, 5), randg(2, 3, 1)};
endfunction
