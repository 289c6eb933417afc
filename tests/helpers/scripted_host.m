## CLEANUP = scripted_host ()
## Puts the scripted rand/randn of tests/stream on the path, with empty
## queues, until CLEANUP goes out of scope.
function cleanup = scripted_host ()
  stream = fullfile (fileparts (fileparts (mfilename ("fullpath"))), "stream");
  warning ("off", "Octave:shadowed-function");
  addpath (stream);
  host_stream ("clear");
  cleanup = onCleanup (@() leave_scripted_host (stream));
endfunction

function leave_scripted_host (stream)
  host_stream ("clear");
  rmpath (stream);
endfunction
