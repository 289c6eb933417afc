## Test-only stand-in for Octave's rand: scripted values while host_stream
## has a queue loaded, Octave's builtin otherwise.
function varargout = rand (varargin)
  [r, scripted] = host_stream ("next", "rand", varargin{:});
  if (scripted)
    varargout{1} = r;
  elseif (nargout > 0)
    varargout{1} = builtin ("rand", varargin{:});
  else
    builtin ("rand", varargin{:});   # rand ("state", k) returns nothing
  endif
endfunction
