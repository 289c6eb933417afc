## P = chi_square_p (COUNTS, PROBABILITIES)
## The upper-tail p-value of Pearson's chi-square statistic for observed
## COUNTS of categories against their PROBABILITIES (summing to 1), with
## numel - 1 degrees of freedom. Categories of probability 0 must have no
## count: any count there gives P = 0.
function p = chi_square_p (counts, probabilities)
  counts = counts(:);
  expected = sum (counts) * probabilities(:);
  if (any (counts(expected == 0)))
    p = 0;
    return;
  endif
  used = expected > 0;
  statistic = sum ((counts(used) - expected(used)) .^ 2 ./ expected(used));
  p = gammainc (statistic / 2, (nnz (used) - 1) / 2, "upper");
endfunction
