## write_digests ()
## Rewrites tests/digests.txt from the modules on the path: one line per
## call of digest_calls, its name and its digest, and names the calls whose
## digest differs from the one stored before. The suite only compares
## (tests/test_digests.m); run this on purpose, after adding a call or when
## an output is meant to change, and say in the commit why each changed
## line changed. From the top of a clone: make digests.
function write_digests ()
  [before, file] = stored_digests ();
  calls = digest_calls ();
  digests = cellfun (@(g, s, f) call_digest (g, s, f), calls(:, 2), calls(:, 3), calls(:, 4), ...
                     "UniformOutput", false);
  fid = fopen (file, "w");
  fprintf (fid, "# Seeded calls (tests/helpers/digest_calls.m) and their digests:\n");
  fprintf (fid, "# written by make digests, checked by tests/test_digests.m.\n");
  fprintf (fid, "%s %s\n", [calls(:, 1), digests]'{:});
  fclose (fid);
  old = ! ismember (strcat (calls(:, 1), " ", digests), strcat (before(:, 1), " ", before(:, 2)));
  printf ("wrote %d digests to %s; new or changed: %s\n", rows (calls), file, ...
          strjoin (calls(old, 1)', ", "));
endfunction
