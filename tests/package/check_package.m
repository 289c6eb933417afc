## check_package (TARBALL, MODULES, FUNCTIONS)
## Installs TARBALL with pkg into a temporary prefix, loads the package,
## checks that help shows the text of each of the modules and of the
## functions written in Octave (the module table's, which make passes), runs
## pkg test, unloads the package and removes the prefix. Prints
## "N passed, M failed" and exits non-zero on a failure.
function check_package (tarball, modules, m_functions)
  names = [modules, m_functions];
  prefix = tempname ();
  mkdir (prefix);
  pkg ("prefix", prefix, prefix);
  pkg ("local_list", fullfile (prefix, "octave_packages"));
  passed = 0;
  failed = 0;
  pkg ("install", tarball);
  pkg ("load", "samplekit");
  for k = 1:numel (names)
    text = evalc (sprintf ("help %s", names{k}));
    where = which (names{k});
    file_type = "\\.mex$";
    if (any (strcmp (names{k}, m_functions)))
      file_type = "\\.m$";
    endif
    if (! isempty (regexp (text, ["\\n -- .*" names{k} " \\("], "once")) && ! isempty (regexp (where, file_type, "once")))
      passed += 1;
    else
      failed += 1;
      printf ("FAILED help %s (%s)\n", names{k}, where);
    endif
  endfor
  report = evalc ("pkg ('test', 'samplekit')");
  ok = str2double (regexp (report, "PASS\\s+(\\d+)", "tokens", "once"));
  bad = str2double (regexp (report, "FAIL\\s+(\\d+)", "tokens", "once"));
  printf ("pkg test: %d passed, %d failed\n", ok, bad);
  if (isnan (ok) || isnan (bad) || bad > 0 || ok == 0)
    printf ("%s\n", report);
    failed += max (1, bad);
  endif
  passed += ok;
  pkg ("unload", "samplekit");
  if (! isempty (which ("scaled_invchi2_draws")))
    failed += 1;
    printf ("FAILED unload: scaled_invchi2_draws still on the path\n");
  endif
  pkg ("uninstall", "samplekit");
  confirm_recursive_rmdir (false, "local");
  rmdir (prefix, "s");
  printf ("%d passed, %d failed\n", passed, failed);
  exit (failed > 0);
endfunction
