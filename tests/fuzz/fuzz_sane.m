## WHY = fuzz_sane (NAME, ARGS, R, OTHERS)
## "" when R, returned by NAME (ARGS{:}), is a real double array of the
## size the call implies (and, for resampling, holds indices of positive
## weights); otherwise what is wrong with it. OTHERS holds the further
## outputs the call was asked for.
function why = fuzz_sane (name, args, r, others = {})
  why = "";
  if (strcmp (name, "mcmc_summary"))
    why = summary_sane (args, r);
    return;
  endif
  if (! isa (r, "double") || ! isreal (r) || issparse (r))
    why = sprintf ("class %s", class (r));
    return;
  endif
  expected = implied_size (name, args);
  if (! isequal (size (r), expected))
    why = sprintf ("size %s, expected %s", mat2str (size (r)), mat2str (expected));
    return;
  endif
  if (strncmp (name, "resample_", 9))
    w = args{1};
    n = rows (w) * columns (w);
    if (! all (r(:) >= 1 & r(:) <= n & r(:) == fix (r(:))) || ! all (w(r(:)) > 0))
      why = "an index outside 1..n or of a zero weight";
    endif
  elseif (strcmp (name, "categorical_draws") && ! drawable_categories (r, args{1}))
    why = "an index outside 1..K or of a -Inf entry";
  elseif (strcmp (name, "weighted_sample") && ! distinct_positive (r, args{1}, numel (args) == 2))
    why = "an index outside 1..N, repeated in a sample or of a zero weight";
  elseif (strcmp (name, "metric_distance_matrix") && ! isequaln (r, r'))
    why = "not symmetric";
  elseif (any (strcmp (name, {"gig_draws", "polya_gamma_draws"})) && any (r(:) < 0))
    why = "a negative draw";
  elseif (any (strcmp (name, {"dirichlet_draws", "normalized_weights"})) && ! simplex_columns (r))
    why = "a column outside the simplex";
  elseif (strcmp (name, "truncated_normal_draws") && ! within_bounds (r, args{3}, args{4}))
    why = "a draw outside [a, b] or not finite";
  elseif (any (strcmp (name, {"wishart_draws", "inverse_wishart_draws"})))
    why = wishart_insanity (r, others);
  endif
endfunction

## Draws symmetric to the last bit; a factor, when asked for, of the same
## size, upper triangular with a positive diagonal.
function why = wishart_insanity (w, others)
  why = "";
  if (! isequaln (w, permute (w, [2 1 3])))
    why = "a draw that is not symmetric";
  elseif (! isempty (others))
    c = others{1};
    p = rows (w);
    below = repmat (tril (true (p), -1), [1 1 size(c, 3)]);
    on = repmat (logical (eye (p)), [1 1 size(c, 3)]);
    if (! isequal (size (c), size (w)) || any (c(below)) || ! all (c(on) > 0))
      why = "a factor of another size, not upper triangular or with a diagonal not positive";
    endif
  endif
endfunction

## mcmc_summary: one element per variable of X, a string name and real
## double scalars that are NaN or in their ranges.
function why = summary_sane (args, r)
  why = "";
  fields = {"names", "mean", "median", "sd", "mad", "q5", "q95", "rhat", "ess_bulk", "ess_tail", "mcse_mean"};
  if (! isstruct (r) || ! isequal (fieldnames (r)', fields) || ! isequal (size (r), [1, size(args{1}, 3)]))
    why = "not a 1 x P struct of the summary's fields";
    return;
  endif
  values = cell2mat (struct2cell (r(:))(2:end, :));
  if (! all (cellfun (@ischar, {r.names})) || ! isa (values, "double") || ! isreal (values) ...
      || rows (values) != 10)
    why = "a name that is not a string or a value that is not a real double scalar";
  elseif (any (values([3 4 7 8 9 10], :)(:) < 0) || any (values(7, :) < 0.5))
    why = "a negative sd, mad, ESS or MCSE, or an R-hat below 1/2";
  endif
endfunction

## Non-negative columns summing to 1 (a vector is one column).
function ok = simplex_columns (r)
  if (isvector (r))
    r = r(:);
  endif
  ok = isempty (r) || (all (r(:) >= 0) && all (abs (sum (r, 1) - 1) <= 1e-12));
endfunction

## Each column's indices point at entries of that column of logp above -Inf.
function ok = drawable_categories (r, logp)
  if (isvector (logp))
    logp = logp(:);
  endif
  ok = all (r(:) >= 1 & r(:) <= rows (logp) & r(:) == fix (r(:)));
  for j = 1:columns (r)
    ok = ok && all (logp(r(:, j), j) > -Inf);
  endfor
endfunction

## Each sample's indices (a column, or the whole row of the two-argument
## form) are distinct and point at positive weights.
function ok = distinct_positive (r, w, one_row)
  if (one_row)
    r = r(:);
  endif
  ok = all (r(:) >= 1 & r(:) <= numel (w) & r(:) == fix (r(:))) && all (w(r(:)) > 0);
  for j = 1:columns (r)
    ok = ok && numel (unique (r(:, j))) == rows (r);
  endfor
endfunction

## Finite and inside [a, b], each bound a scalar or read in storage order.
function ok = within_bounds (r, a, b)
  per_element = @(x) double (x(1:(numel (x) > 1) * (numel (r) - 1) + 1))(:);
  ok = isempty (r) || (all (isfinite (r(:))) && all (r(:) >= per_element (a) & r(:) <= per_element (b)));
endfunction

function s = implied_size (name, args)
  dims = @(a) [rows(a), columns(a)];
  sz = @(m, n) [fix(double (m(1))), fix(double (n(1)))];   # first elements count
  is_array = @(a) rows (a) > 1 || columns (a) > 1;
  nparams = struct ("scaled_invchi2_draws", 2, "mean_dof_gamma_draws", 2, "student_t_draws", 1, ...
                    "exponential_draws", 1, "gig_draws", 3, "polya_gamma_draws", 2, ...
                    "truncated_normal_draws", 4);
  if (isfield (nparams, name) && numel (args) == nparams.(name) + 1)
    s = sz (args{end}(1), args{end}(2));     # the size as one vector [M N]
    return;
  endif
  switch (name)
    case {"scaled_invchi2_draws", "mean_dof_gamma_draws", "polya_gamma_draws"}
      if (numel (args) == 4)
        s = sz (args{3}, args{4});
      elseif (is_array (args{1}))
        s = dims (args{1});
      else
        s = dims (args{2});
      endif
    case {"gig_draws", "truncated_normal_draws"}
      k = 3 + strcmp (name, "truncated_normal_draws");   # the parameters
      if (numel (args) == k + 2)
        s = sz (args{k + 1}, args{k + 2});
      else
        arrays = find (cellfun (is_array, args(1:k)), 1);
        if (isempty (arrays)) s = dims (args{k}); else s = dims (args{arrays}); endif
      endif
    case "dirichlet_draws"
      if (is_array (args{1}) && ! isvector (args{1}))
        s = dims (args{1});
      elseif (numel (args) == 2)
        s = sz (numel (args{1}), args{2});
      else
        s = [numel(args{1}), 1];
      endif
    case "normalized_weights"
      s = dims (args{1});
    case "categorical_draws"
      sets = columns (args{1});
      if (isempty (args{1})) sets = 0; elseif (isvector (args{1})) sets = 1; endif
      m = 1;
      if (numel (args) == 2) m = args{2}; endif
      s = [double(m), sets];
    case "weighted_sample"
      if (numel (args) == 2) s = [1, double(args{2})]; else s = [double(args{2}), double(args{3})]; endif
    case {"student_t_draws", "exponential_draws"}
      if (numel (args) == 3) s = sz (args{2}, args{3}); else s = dims (args{1}); endif
    case {"scaled_invchi2_draw", "mean_dof_gamma_draw", "gig_ars_draw"}
      s = [1 1];
    case "simplex_weight_draws"
      if (numel (args) == 2) s = sz (args{1}, args{2}); else s = sz (args{1}, 1); endif
    case "bayes_boot_mean"
      b = 1;
      if (numel (args) >= 2) b = args{2}; endif
      s = sz (b, columns (args{1}));
    case "bayes_boot_percentiles"
      b = 1;
      if (numel (args) >= 3) b = args{3}; endif
      s = sz (b, rows (args{2}) * columns (args{2}));
    case {"digamma_array", "tanh_array"}
      s = dims (args{1});
    case "metric_distance_matrix"
      s = [rows(args{2}), rows(args{2})];
    case {"wishart_draws", "inverse_wishart_draws"}
      p = rows (args{1});
      s = [p p];
      if (numel (args) == 3 && fix (double (args{3}(1))) != 1)
        s(3) = fix (double (args{3}(1)));
      endif
    otherwise
      if (numel (args) == 1)
        s = dims (args{1});
      elseif (numel (args) == 2)
        s = sz (args{2}, args{2});
      else
        s = sz (args{2}, args{3});
      endif
  endswitch
endfunction
