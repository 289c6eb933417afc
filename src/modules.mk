# The plug-ins by the sources they link besides their own file and the
# host layer (HOST_SOURCES, linked into every module). Read by the Makefile, the package's build and
# samplekit_build.m, so that the three never disagree.
HOST_SOURCES := host/host.cpp host/size_rules.cpp host/host_stream.cpp host/host_arrays.cpp host/octave_host.cpp host/threads.cpp host/twister.cpp
RV_MODULES := scaled_invchi2_draws scaled_invchi2_draw mean_dof_gamma_draws mean_dof_gamma_draw student_t_draws
RV_SOURCES := random_variates/random_variates.cpp random_variates/gamma_run.cpp random_variates/gamma_batch.cpp random_variates/gamma_trials.cpp
ARS_MODULES := gig_ars_draw
ARS_SOURCES := ars/ars.cpp random_variates/random_variates.cpp
RESAMPLING_MODULES := resample_multinomial resample_residual resample_stratified resample_deterministic resample_systematic
RESAMPLING_SOURCES := resampling/resampling.cpp resampling/binsgeq.cpp
DIRICHLET_MODULES := bayes_boot_mean bayes_boot_percentiles simplex_weight_draws
DIRICHLET_SOURCES := bootstrap/dirichlet.cpp
SPECIAL_MODULES := digamma_array
SPECIAL_SOURCES := special/digamma.cpp
METRIC_MODULES := metric_distance_matrix
METRIC_SOURCES := metric/metric_call.cpp
PLAIN_MODULES := exponential_draws tanh_array normalized_weights
PLAIN_SOURCES :=
GIG_MODULES := gig_draws
GIG_SOURCES := gig/gig_plan.cpp gig/gig_sample.cpp gig/gig_density.cpp
PG_MODULES := polya_gamma_draws
PG_SOURCES := polya_gamma/jacobi_plan.cpp polya_gamma/jacobi_draw.cpp random_variates/random_variates.cpp
DIRICHLET_DRAWS_MODULES := dirichlet_draws
DIRICHLET_DRAWS_SOURCES := dirichlet/log_gamma.cpp random_variates/random_variates.cpp
TRUNCATED_NORMAL_MODULES := truncated_normal_draws
TRUNCATED_NORMAL_SOURCES := truncated_normal/regions.cpp random_variates/random_variates.cpp
MCMC_MODULES := mcmc_summary
MCMC_SOURCES := mcmc/variable_summary.cpp mcmc/chain_stats.cpp mcmc/chain_sums.cpp mcmc/sort_draws.cpp mcmc/fft.cpp mcmc/normal_quantile.cpp mcmc/summary_table.cpp
