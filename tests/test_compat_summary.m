## make compat's count of one suite's log (tests/compat/summary.sh): each
## step counted once, and a suite that ended badly or ran nothing is never
## reported as passed.

%!test
%! step_lines = {"compat: make test: 310 passed, 0 failed (92 s)", ...
%!               "310 passed, 0 failed", ...          # the step's own summary
%!               "compat: make pkgcheck: 169 passed, 0 failed (70 s)"};
%! cases = {
%!   # the log's lines                                                 counts
%!   [step_lines, {"compat: status 0"}],                               "479 0";
%!   [step_lines, {"compat: make examples: 3 passed, 1 failed (16 s)", ...
%!                 "compat: status 1"}],                               "482 1";
%!   [step_lines, {"compat: status 1"}],                               "479 1";  # cut short
%!   {"compat: making the sid chroot", "compat: status 1"},            "0 1";    # no chroot
%!   {"compat: status 0"},                                             "0 1";    # ran nothing
%!   {"compat: make test: 8 passed, 0 failed, 2 skipped (9 s)", "compat: status 0"}, "8 0"};
%! script = fullfile (fileparts (fileparts (which ("scripted_host"))), "compat", "summary.sh");
%! log = tempname ();
%! for k = 1:rows (cases)
%!   fid = fopen (log, "w");
%!   fprintf (fid, "%s\n", cases{k, 1}{:});
%!   fclose (fid);
%!   [status, out] = system (sprintf ("bash -c '. %s; suite_counts %s'", script, log));
%!   assert (status, 0);
%!   assert (strtrim (out), cases{k, 2}, sprintf ("case %d", k));
%! endfor
%! delete (log);
