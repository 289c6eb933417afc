## Test-only sort that returns the wrong class, as a user's own function on
## the path might.
function y = sort (x, varargin)
  y = single (builtin ("sort", x, varargin{:}));
endfunction
