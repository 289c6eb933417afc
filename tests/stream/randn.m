## Test-only stand-in for Octave's randn: scripted values while host_stream
## has a queue loaded, Octave's builtin otherwise.
function varargout = randn (varargin)
  [r, scripted] = host_stream ("next", "randn", varargin{:});
  if (scripted)
    varargout{1} = r;
  elseif (nargout > 0)
    varargout{1} = builtin ("randn", varargin{:});
  else
    builtin ("randn", varargin{:});   # rand ("state", k) returns nothing
  endif
endfunction
