## Fuzz host: a randn that answers in single precision.
function r = randn (varargin)
  r = single (builtin ("randn", varargin{:}));
endfunction
