## Runs every example in a fresh function scope, checks that each saved
## its figures, and ends with "N passed, M failed".
here = fileparts (mfilename ("fullpath"));
figures = {"particle_filter", {"particle_filter_states.png", "particle_filter_spread.png"};
           "gibbs_hierarchical", {"gibbs_traces.png"};
           "bootstrap_intervals", {"bootstrap_mean.png", "bootstrap_percentiles.png"};
           "gig_density", {"gig_density.png"}};
passed = 0;
failed = 0;
for k = 1:rows (figures)
  png = fullfile (here, "figures", figures{k, 2});
  for p = 1:numel (png)
    if (exist (png{p}, "file"))
      delete (png{p});
    endif
  endfor
  try
    run_example = @(name) evalin ("base", sprintf ("run ('%s');", fullfile (here, [name ".m"])));
    run_example (figures{k, 1});
    made = all (cellfun (@(f) exist (f, "file") == 2, png));
  catch err
    printf ("FAILED %s: %s\n", figures{k, 1}, err.message);
    made = false;
  end_try_catch
  if (made)
    passed += 1;
  else
    failed += 1;
    printf ("FAILED %s: figures missing\n", figures{k, 1});
  endif
  close all;
endfor
printf ("%d passed, %d failed\n", passed, failed);
exit (failed > 0);
