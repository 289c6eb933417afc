## Fuzz host: a rand that returns nothing at all.
function varargout = rand (varargin)
endfunction
