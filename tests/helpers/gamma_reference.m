## [X, USED] = gamma_reference (A, U)
## The gamma routine's arithmetic written out in Octave for shapes above
## 1.00001, consuming the uniforms U in order; USED is how many it took.
## Octave evaluates each line in the same IEEE double operations, so the
## result must agree bit for bit.
function [x, used] = gamma_reference (a, u)
  b = a - 1;
  c = 3 * a - 0.75;
  used = 0;
  while (true)
    uu = u(used + 1);
    v = u(used + 2);
    used += 2;
    w = uu * (1 - uu);
    y = sqrt (c / w) * (uu - 0.5);
    x = b + y;
    if (x < 0)
      continue;
    endif
    z = 64 * w * w * w * v * v;
    if (1 - (2 * y * y) / x >= z)
      return;
    endif
    if (2 * (b * log (x / b) - y) >= log (z))
      return;
    endif
  endwhile
endfunction
