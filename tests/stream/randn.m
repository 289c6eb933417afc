## Test-only stand-in for Octave's randn: scripted values while host_stream
## has a queue loaded, Octave's builtin otherwise.
function r = randn (varargin)
  [r, scripted] = host_stream ("next", "randn", varargin{:});
  if (! scripted)
    r = builtin ("randn", varargin{:});
  endif
endfunction
