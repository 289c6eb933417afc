## Runs every built-in test block of inst/*.m and every suite file
## tests/test_*.m against the modules of $SAMPLEKIT_BUILD (default build/),
## with the test-only modules of $SAMPLEKIT_TEST_MODULES (default its tests/).
## Prints the failures of each file, then "N passed, M failed" (and ", K
## skipped" where blocks could not run here); exits non-zero on any failure.

root = fileparts (fileparts (mfilename ("fullpath")));
build = getenv ("SAMPLEKIT_BUILD");
if (isempty (build))
  build = "build";
endif
test_modules = getenv ("SAMPLEKIT_TEST_MODULES");   # the test-only modules, if elsewhere
if (isempty (test_modules))
  test_modules = fullfile (build, "tests");
endif
addpath (fullfile (root, build));
addpath (fullfile (root, test_modules));
addpath (fullfile (root, "tests", "helpers"));

## The host check must pass on every build the suite tests: its warning
## fails the call that gives it (tests/test_host_check.m plants one).
warning ("error", "samplekit:hostCheck");

files = [glob(fullfile (root, "inst", "*.m")); glob(fullfile (root, "tests", "test_*.m"))];
passed = 0;
failed = 0;
skipped = 0;
for k = 1:numel (files)
  log_file = tempname ();
  started = tic ();
  fid = fopen (log_file, "w");
  [n_pass, n_total, ~, ~, n_skip, n_runtime_skip] = test (files{k}, "quiet", fid);
  fclose (fid);
  passed += n_pass;
  failed += n_total - n_pass;
  skipped += n_skip + n_runtime_skip;
  [~, name] = fileparts (files{k});
  ## The seconds each file took, to see where a slow build spends its time.
  detail = sprintf (", %.0f s", toc (started));
  if (n_skip + n_runtime_skip > 0)
    detail = sprintf (", %d skipped%s", n_skip + n_runtime_skip, detail);
  endif
  if (n_pass < n_total)
    printf ("FAILED %s: %d of %d blocks%s\n", name, n_total - n_pass, n_total, detail);
    printf ("%s\n", fileread (log_file));
  else
    printf ("ok     %s: %d blocks%s\n", name, n_total, detail);
  endif
  delete (log_file);
endfor
## A skipped block is neither passed nor failed: the count says so.
if (skipped > 0)
  printf ("%d passed, %d failed, %d skipped\n", passed, failed, skipped);
else
  printf ("%d passed, %d failed\n", passed, failed);
endif
exit (failed > 0);
