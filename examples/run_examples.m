## Runs every example in a fresh function scope, checks that each saved
## its figures, and ends with "N passed, M failed". Where Octave cannot draw
## (no gnuplot, no fonts), the examples skip their figures and say why, and
## only their running to the end is checked.
1;

## A script run from a function gets that function's workspace, so no
## example sees or changes another's variables, or this runner's.
function run_in_own_scope (script)
  run (script);
endfunction

here = fileparts (mfilename ("fullpath"));
addpath (here);
[~, can_draw] = example_setup ();
if (! can_draw)
  printf ("figures are not checked: Octave cannot draw here\n");
endif
figures = {"particle_filter", {"particle_filter_states.png", "particle_filter_spread.png"};
           "gibbs_hierarchical", {"gibbs_traces.png"};
           "bootstrap_intervals", {"bootstrap_mean.png", "bootstrap_percentiles.png"};
           "gig_density", {"gig_density.png"};
           "parallel_chains", {"parallel_chains.png"};
           "polya_gamma_logistic", {"polya_gamma_logistic.png"};
           "gaussian_mixture", {"gaussian_mixture.png"}};
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
    run_in_own_scope (fullfile (here, [figures{k, 1} ".m"]));
    made = ! can_draw || all (cellfun (@(f) exist (f, "file") == 2, png));
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
