## Fuzz host: a rand that drops the last value of every array it returns.
function r = rand (varargin)
  r = builtin ("rand", varargin{:});
  if (! any (cellfun (@ischar, varargin)) && numel (r) > 0)
    r = r(1:end-1);
  endif
endfunction
