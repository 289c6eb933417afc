## mcmc_bench (RUNS)
## mcmc_summary on 1000 variables x 4 chains x 1000 iterations of AR(1)
## chains (phi from -0.5 to 0.99 across the variables) against R's
## posterior::summarise_draws with the same measures on the same array, R
## in a process of its own (Rscript, bench/mcmc_bench.R). Prints the median
## seconds of RUNS runs each, mcmc_summary with one thread and with the
## default count, their ratio to posterior's, and the largest relative
## difference of the two summaries. Without R and posterior it says so and
## prints mcmc_summary's times alone. Called by run_bench.m.
function mcmc_bench (runs)
  here = fileparts (mfilename ("fullpath"));
  saved = {randn("state")};
  restore = onCleanup (@() randn ("state", saved{1}));
  randn ("state", 24);
  phis = linspace (-0.5, 0.99, 1000);
  x = zeros (1000, 4, numel (phis));
  for k = 1:numel (phis)
    e = randn (1000, 4);
    e(1, :) /= sqrt (1 - phis(k) ^ 2);
    x(:, :, k) = filter (1, [1, -phis(k)], e);
  endfor
  ours = NaN (runs, 2);
  for run = 1:runs
    for column = 1:2
      if (column == 1) setenv ("SAMPLEKIT_THREADS", "1"); else unsetenv ("SAMPLEKIT_THREADS"); endif
      started = tic ();
      s = mcmc_summary (x);
      ours(run, column) = toc (started);
    endfor
  endfor
  unsetenv ("SAMPLEKIT_THREADS");
  ours = median (ours, 1);
  printf ("\nmcmc_summary, 1000 variables x 4 chains x 1000 iterations (AR(1), phi -0.5 to 0.99)\n");
  printf ("  mcmc_summary, 1 thread:            %8.3f s\n", ours(1));
  printf ("  mcmc_summary, default threads:     %8.3f s\n", ours(2));
  [status, ~] = system ("command -v Rscript >/dev/null && Rscript -e 'library(posterior)' >/dev/null 2>&1");
  if (status != 0)
    printf ("  posterior::summarise_draws: not timed, R or its posterior package is missing\n");
    printf ("  (Debian: apt-get install r-base-core r-cran-posterior)\n");
    return;
  endif
  array = [tempname() ".bin"];
  summary = [tempname() ".txt"];
  files = onCleanup (@() cellfun (@(f) exist (f, "file") && unlink (f), {array, summary}));
  fid = fopen (array, "w");
  fwrite (fid, size (x), "int32", 0, "ieee-le");
  fwrite (fid, x, "double", 0, "ieee-le");
  fclose (fid);
  [status, text] = system (sprintf ("Rscript '%s' '%s' %d '%s' 2>&1", fullfile (here, "mcmc_bench.R"),
                                    array, runs, summary));
  theirs = median (sscanf (regexp (text, "seconds([^\n]*)", "tokens", "once"){1}, "%f"));
  if (status != 0 || isempty (theirs))
    printf ("  posterior::summarise_draws failed:\n%s\n", text);
    return;
  endif
  printf ("  posterior::summarise_draws (R):    %8.3f s\n", theirs);
  printf ("  ratio, default threads: %.4f; 1 thread: %.4f\n", ours(2) / theirs, ours(1) / theirs);
  values = cell2mat (struct2cell (s(:))(2:end, :))';
  reference = load (summary);
  printf ("  largest relative difference of the two summaries: %.2g\n",
          max (abs (values(:) - reference(:)) ./ abs (reference(:))));
  printf ("  median of %d runs each\n", runs);
endfunction
