# samplekit's one table of modules and functions. Everything that lists
# them is made from it or checked against it: the Makefile's and the
# package's builds (pkg/Makefile) and samplekit_build.m link what it says;
# make dist writes the package's INDEX, PKG_DEL and FILES from it;
# tests/test_module_table.m fails when a module is missing from any other
# list (DESCRIPTION's and NEWS's counts, the README's table, the fuzz
# calls, the memory check, the package check).
#
# A new module: its source is src/FOLDER/NAME.cpp and its help inst/NAME.m;
# add NAME to the MODULES_ line of its section and, when it links more than
# its own source and HOST_SOURCES, a LINK_NAME line. A function written in
# Octave (inst/NAME.m, no module) goes on a FUNCTIONS_ line.

PACKAGE_TITLE := Random variates, resampling and Bayesian bootstrap

# Sources that several modules link. Every module links HOST_SOURCES.
HOST_SOURCES := host/host.cpp host/size_rules.cpp host/host_stream.cpp host/host_arrays.cpp host/host_check.cpp \
                host/octave_host.cpp host/threads.cpp host/twister.cpp
RANDOM_VARIATES := random_variates/random_variates.cpp
GAMMA_RUN := random_variates/gamma_run.cpp random_variates/gamma_batch.cpp random_variates/gamma_trials.cpp
RESAMPLING := resampling/resampling.cpp resampling/binsgeq.cpp
DIRICHLET := bootstrap/dirichlet.cpp
WEIGHT_COLUMNS := resampling/weight_columns.cpp
WISHART := wishart/wishart_call.cpp wishart/wishart_run.cpp $(RANDOM_VARIATES)

# The sections of the package's index, in order, each with its title and
# its functions in index order.
SECTIONS := arrays matrices ars bootstrap resampling discrete special metric parallel mcmc
TITLE_arrays := Random variate arrays
MODULES_arrays := scaled_invchi2_draws scaled_invchi2_draw mean_dof_gamma_draws mean_dof_gamma_draw \
                  student_t_draws exponential_draws simplex_weight_draws gig_draws polya_gamma_draws \
                  dirichlet_draws truncated_normal_draws
TITLE_matrices := Random matrices
MODULES_matrices := wishart_draws inverse_wishart_draws
TITLE_ars := Adaptive rejection sampling
MODULES_ars := gig_ars_draw
TITLE_bootstrap := Bayesian bootstrap
MODULES_bootstrap := bayes_boot_mean bayes_boot_percentiles
TITLE_resampling := Particle resampling
MODULES_resampling := resample_multinomial resample_residual resample_stratified resample_deterministic \
                      resample_systematic normalized_weights
TITLE_discrete := Discrete draws
MODULES_discrete := categorical_draws weighted_sample
TITLE_special := Special functions
MODULES_special := digamma_array tanh_array
TITLE_metric := Metric distances
MODULES_metric := metric_distance_matrix
TITLE_parallel := Parallel runs
FUNCTIONS_parallel := samplekit_worker_seed
TITLE_mcmc := MCMC diagnostics
MODULES_mcmc := mcmc_summary

# What a module links besides its own source and HOST_SOURCES.
LINK_scaled_invchi2_draws := $(RANDOM_VARIATES) $(GAMMA_RUN)
LINK_scaled_invchi2_draw := $(RANDOM_VARIATES)
LINK_mean_dof_gamma_draws := $(RANDOM_VARIATES) $(GAMMA_RUN)
LINK_mean_dof_gamma_draw := $(RANDOM_VARIATES)
LINK_student_t_draws := $(RANDOM_VARIATES) $(GAMMA_RUN)
LINK_simplex_weight_draws := $(DIRICHLET)
LINK_gig_draws := gig/gig_plan.cpp gig/gig_sample.cpp gig/gig_density.cpp
LINK_polya_gamma_draws := polya_gamma/jacobi_plan.cpp polya_gamma/jacobi_draw.cpp polya_gamma/jacobi_precise.cpp $(RANDOM_VARIATES)
LINK_dirichlet_draws := dirichlet/log_gamma.cpp $(RANDOM_VARIATES)
LINK_truncated_normal_draws := truncated_normal/regions.cpp $(RANDOM_VARIATES)
LINK_gig_ars_draw := ars/ars.cpp ars/ars_search.cpp $(RANDOM_VARIATES)
LINK_bayes_boot_mean := $(DIRICHLET)
LINK_bayes_boot_percentiles := $(DIRICHLET)
LINK_resample_multinomial := $(RESAMPLING)
LINK_resample_residual := $(RESAMPLING)
LINK_resample_stratified := $(RESAMPLING)
LINK_resample_deterministic := $(RESAMPLING)
LINK_resample_systematic := $(RESAMPLING)
LINK_normalized_weights := $(WEIGHT_COLUMNS)
LINK_categorical_draws := $(WEIGHT_COLUMNS) categorical/column_draws.cpp categorical/fast_sums.cpp
LINK_digamma_array := special/digamma.cpp
LINK_metric_distance_matrix := metric/metric_call.cpp
LINK_wishart_draws := $(WISHART)
LINK_inverse_wishart_draws := $(WISHART)
LINK_mcmc_summary := mcmc/call_tables.cpp mcmc/variable_summary.cpp mcmc/chain_stats.cpp mcmc/chain_sums.cpp mcmc/sort_draws.cpp \
                     mcmc/fft.cpp mcmc/normal_quantile.cpp mcmc/summary_table.cpp
