## The scalar random variate library, reached through the test-only module
## rv_harness, against scripted host streams.

%!test  # shapes that return themselves consume no host value
%! c = scripted_host ();
%! host_stream ("load", "rand", []);
%! for a = [0, -2, 5e-6, -Inf]
%!   assert (rv_harness ("gamma", a), a);
%! endfor
%! assert (isnan (rv_harness ("gamma", NaN)));          # would loop for ever
%! assert (rv_harness ("gamma", Inf), Inf);
%! assert (rv_harness ("gamma", 2e300), 2e300);
%! assert (host_stream ("consumed", "rand"), 0);

%!test  # shape 1 draws u first, then a shape-2 draw by Best's method
%! c = scripted_host ();
%! u = [0.3, 0.6, 0.7, 0.9];
%! host_stream ("load", "rand", u);
%! [g, used] = gamma_reference (2, u(2:end));
%! assert (used, 2);
%! assert (rv_harness ("gamma", 1), g * 0.3 ^ (1 / 1));
%! assert (host_stream ("consumed", "rand"), 3);

%!test  # 1e-5 is not below 1e-5: power branch, recursion on shape 1.00001
%! c = scripted_host ();
%! u = [1 - 1e-6, 0.5, 0.5];
%! host_stream ("load", "rand", u);
%! g = gamma_reference (1 + 1e-5, u(2:3));
%! assert (rv_harness ("gamma", 1e-5), g * u(1) ^ (1 / 1e-5));
%! assert (host_stream ("consumed", "rand"), 3);

%!test  # shapes in (1, 1.00001) are drawn as shape 1: -log of one uniform
%! c = scripted_host ();
%! host_stream ("load", "rand", 0.25);
%! assert (rv_harness ("gamma", 1.000005), -log (0.25));
%! assert (host_stream ("consumed", "rand"), 1);

%!test  # Best's method: a trial with x < 0 is rejected, then the log test
%! c = scripted_host ();
%! u = [0.01, 0.5, 0.2, 0.97, 0.6, 0.5];
%! [g, used] = gamma_reference (2, u);
%! assert (used, 6);                       # three trials, as scripted
%! host_stream ("load", "rand", u);
%! assert (rv_harness ("gamma", 2), g);
%! assert (host_stream ("consumed", "rand"), 6);

%!test  # the floor: tiny shapes never give 0 once they draw
%! c = scripted_host ();
%! host_stream ("load", "rand", [0.5, 0.5, 0.5]);
%! assert (rv_harness ("gamma", 0.001), 1e-15);
%! assert (host_stream ("consumed", "rand"), 3);

%!test  # beta: a trial whose q rounds to 0 is drawn again
%! c = scripted_host ();
%! host_stream ("load", "rand", [1 - 2^-53, 1e-200, 0.5, 0.5]);
%! assert (rv_harness ("beta", 1.000005, 1.000005), 0.5);
%! assert (host_stream ("consumed", "rand"), 4);

## Beta ends even when every q rounds to 0.
%!testif ; ! instrumented ("the beta trial cap (every one of its trials: most of a minute)")
%! c = seeded (3);
%! assert (isnan (rv_harness ("beta", 1e-20, 5)));

%!test  # one-uniform routines and the normal
%! c = scripted_host ();
%! host_stream ("load", "rand", [0.35, 0.35, 0.35, 0.2, 0.75, 0.999]);
%! host_stream ("load", "randn", -1.25);
%! assert (rv_harness ("uniform"), 0.35);
%! assert (rv_harness ("uniopen"), 0.35);
%! assert (rv_harness ("int", 10), 3);
%! assert (rv_harness ("exp"), -log (0.2));
%! assert (rv_harness ("cauchy"), tan (3.141592653589793 * (0.75 - 0.5)));
%! assert (rv_harness ("int", 1), 0);
%! assert (rv_harness ("gaussian"), -1.25);
%! assert (host_stream ("consumed", "rand"), 6);

%!test  # weighted picks: zero weights are skipped, one uniform each
%! c = scripted_host ();
%! host_stream ("load", "rand", [0.01, 0.99, 0.5, 0.49, 0.51]);
%! assert (rv_harness ("pickd", [0 0 3]), 2);
%! assert (rv_harness ("pickd", [0 0 3]), 2);
%! assert (rv_harness ("pickd", [1 0 1]), 2);
%! assert (rv_harness ("pickf", single ([1 1])), 0);
%! assert (rv_harness ("pickf", single ([1 1])), 1);

## Mended: impossible weights used to abort the whole Octave process.
%!error <rand_pickd needs non-negative weights with a positive sum\.> rv_harness ("pickd", [0 0])
%!error <rand_pickd needs non-negative weights with a positive sum\.> rv_harness ("pickd", [-1 2])
%!error <rand_pickf needs positive weights\.> rv_harness ("pickf", single ([1 0 2]))
