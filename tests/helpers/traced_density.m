## [H, D] = traced_density (X)
## The standard normal log-density h(x) = -x^2/2, h'(x) = -x, recording
## every point at which it is evaluated.
## traced_density ("reset") clears the record; traced_density ("reset", K, D)
## also makes the K-th evaluation report the derivative D instead.
## P = traced_density ("points") returns the points in evaluation order.
function [h, d] = traced_density (x, k, slope)
  persistent points = zeros (1, 0);
  persistent override = [];
  if (ischar (x))
    if (strcmp (x, "reset"))
      points = zeros (1, 0);
      override = [];
      if (nargin == 3)
        override = [k, slope];
      endif
    else
      h = points;
    endif
    return;
  endif
  points(end+1) = x;
  h = -x * x / 2;
  d = -x;
  if (! isempty (override) && numel (points) == override(1))
    d = override(2);
  endif
endfunction
