## P = t_cdf (T, NU): the CDF of Student's t with NU degrees of freedom.
function p = t_cdf (t, nu)
  tail = 0.5 * betainc (nu ./ (nu + t .^ 2), nu / 2, 0.5);
  p = tail;
  p(t > 0) = 1 - tail(t > 0);
endfunction
