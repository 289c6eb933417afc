## make_mcmc_reference
## Rewrites tests/reference/mcmc_reference.txt: writes the arrays of
## mcmc_test_arrays to a temporary file, runs mcmc_reference.R on them
## (R and its posterior package must be installed) and stores its output.
## Run from the checkout's root:
##   octave-cli --no-history -q --eval "addpath ('tests/helpers', 'tests/reference'); make_mcmc_reference"
function make_mcmc_reference ()
  here = fileparts (mfilename ("fullpath"));
  cases = mcmc_test_arrays ();
  arrays = [tempname() ".bin"];
  cleanup = onCleanup (@() unlink (arrays));
  fid = fopen (arrays, "w");
  fwrite (fid, rows (cases), "int32", 0, "ieee-le");
  for k = 1:rows (cases)
    fwrite (fid, numel (cases{k, 1}), "int32", 0, "ieee-le");
    fwrite (fid, cases{k, 1}, "char");
    fwrite (fid, [size(cases{k, 2}, 1), size(cases{k, 2}, 2), size(cases{k, 2}, 3)], "int32", 0, "ieee-le");
    fwrite (fid, cases{k, 2}, "double", 0, "ieee-le");
  endfor
  fclose (fid);
  out = fullfile (here, "mcmc_reference.txt");
  [status, text] = system (sprintf ("Rscript '%s' '%s' '%s' 2>&1", fullfile (here, "mcmc_reference.R"), arrays, out));
  if (status != 0)
    error ("make_mcmc_reference: Rscript failed:\n%s", text);
  endif
  printf ("wrote %s\n", out);
endfunction
