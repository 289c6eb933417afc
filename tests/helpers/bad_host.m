## CLEANUP = bad_host ()
## Puts the misbehaving rand and sort of tests/badhost on the path until
## CLEANUP goes out of scope.
function cleanup = bad_host ()
  folder = fullfile (fileparts (fileparts (mfilename ("fullpath"))), "badhost");
  warning ("off", "Octave:shadowed-function");
  addpath (folder);
  cleanup = onCleanup (@() rmpath (folder));
endfunction
