## samplekit example: four chains of the Gibbs sampler of gibbs_hierarchical.m
## run in parallel worker processes by Octave's parallel package
## (parcellfun), then again one after another in this process.
##
## Each chain seeds itself first with samplekit_worker_seed (MASTER, K), so
## its draws depend on (MASTER, K) alone, not on the process that runs it:
## the parallel and the serial run give the same bits. The script checks
## that, prints the speed-up and mcmc_summary's convergence diagnostics of
## the chains, and saves the chains' traces of mu. Without the parallel
## package it says how to install it and runs the chains serially only.
##
##   sudo apt-get install octave-parallel
##   octave-cli --no-history -q examples/parallel_chains.m

addpath (fileparts (mfilename ("fullpath")));
example_setup ();
rand ("state", 11);
randn ("state", 11);
groups = 8;
true_theta = 5 + 2 * randn (1, groups);
y = true_theta + 3 * randn (12, groups);

chains = 4;
sweeps = 8000;
burn_in = 1000;
master = 2026;
## The job is a function file (gibbs_chain.m): a function defined in this
## script would not reach parcellfun's worker processes.
job = @(k) gibbs_chain (y, sweeps, master, k);

printf ("samplekit example: %d Gibbs chains of %d sweeps, master seed %d\n", chains, sweeps, master);
tic;
serial = cellfun (job, num2cell (1:chains), "UniformOutput", false);
serial_seconds = toc;
printf ("  serial, one process:     %6.2f s\n", serial_seconds);
if (isempty (pkg ("list", "parallel")))
  printf ("  Octave's parallel package is not installed, so the chains ran serially only.\n");
  printf ("  Install it with 'sudo apt-get install octave-parallel' (Debian, Ubuntu) or\n");
  printf ("  'pkg install -forge parallel', then run this example again.\n");
else
  pkg load parallel
  workers = nproc ();
  tic;
  parallel = parcellfun (workers, job, num2cell (1:chains), "UniformOutput", false, "VerboseLevel", 0);
  parallel_seconds = toc;
  printf ("  parcellfun, %d processes: %6.2f s, speed-up %.2f\n", workers, parallel_seconds,
          serial_seconds / parallel_seconds);
  if (! isequal (parallel, serial))
    error ("parallel_chains: the parallel chains differ from the serial ones");
  endif
  printf ("  the parallel chains equal the serial ones bit for bit\n");
endif

draws = cat (3, serial{:})(burn_in+1:end, :, :);
names = [{"mu", "sigma2", "tau2"}, arrayfun(@(j) sprintf ("theta(%d)", j), 1:groups, "UniformOutput", false)];
## mcmc_summary takes iterations x chains x variables.
mcmc_summary (permute (draws, [1 3 2]), names);
printf ("  %d draws kept in all; R-hat near 1 says the chains agree\n", numel (draws(:, 1, :)));

[png, can_draw] = example_setup ("parallel_chains.png");
if (can_draw)
  ## Four traces on one axis hide one another, so each chain has a panel
  ## of its own, all on the same scale.
  f = figure ();
  set (f, "paperunits", "inches", "paperposition", [0 0 7.5 6]);
  shown = burn_in + (1:500);
  mu = squeeze (draws(1:500, 1, :));
  colours = [0 0.45 0.74; 0.85 0.33 0.1; 0.47 0.67 0.19; 0.49 0.18 0.56];
  for k = 1:chains
    subplot (2, 2, k);
    plot (shown, mu(:, k), "color", colours(k, :));
    axis ([shown(1), shown(end), floor(min (mu(:))), ceil(max (mu(:)))]);
    xlabel ("sweep");
    ylabel ("mu");
    title (sprintf ("chain %d, worker seed (%d, %d)", k, master, k));
  endfor
  print (f, "-dpng", png{1});
  printf ("  figure: %s\n", png{1});
endif
