## Test-only stand-in for Octave's rand: scripted values while host_stream
## has a queue loaded, Octave's builtin otherwise.
function r = rand (varargin)
  [r, scripted] = host_stream ("next", "rand", varargin{:});
  if (! scripted)
    r = builtin ("rand", varargin{:});
  endif
endfunction
