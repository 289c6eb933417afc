## Fuzz host: a sort that returns a transposed int8 copy.
function y = sort (x, varargin)
  y = int8 (x(:)');
endfunction
