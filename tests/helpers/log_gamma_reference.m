## [LOGG, USED_Z, USED_U] = log_gamma_reference (A, Z, U)
## The log-gamma draw of dirichlet_draws written out in Octave, consuming
## the normals Z and uniforms U in order (for a shape below 1, U(1) first);
## USED_Z and USED_U count what it took. Octave evaluates each line in the
## same IEEE double operations, so the result must agree bit for bit.
function [logg, used_z, used_u] = log_gamma_reference (a, z, u)
  used_z = 0;
  used_u = 0;
  shape = a;
  if (a < 1)
    shape = a + 1;
    used_u = 1;
  endif
  d = shape - 1 / 3;
  c = 1 / (3 * sqrt (d));
  while (true)
    x = z(++used_z);
    y = c * x;
    if (1 + y <= 0)
      continue;
    endif
    uu = u(++used_u);
    log_v = 3 * log1p (y);
    x2 = x * x;
    if (uu < 1 - 0.0331 * (x2 * x2) || log (uu) < second_test_bound (x, y, d, log_v))
      break;
    endif
  endwhile
  logg = log (d) + log_v;
  if (a < 1)
    logg = logg + log (u(1)) / a;
  endif
endfunction

function b = second_test_bound (x, y, d, log_v)
  if (abs (y) >= 0.25)
    b = 0.5 * x * x + d * (1 - (1 + y) * (1 + y) * (1 + y) + log_v);
    return;
  endif
  s = 0;
  power = -y * y * y * y;
  for k = 4:29
    s += power / k;
    power *= -y;
  endfor
  b = 3 * d * s;
endfunction
