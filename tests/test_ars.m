## The adaptive rejection sampler through the test-only module ars_harness,
## with the standard normal log-density and scripted uniforms.

%!test  # x0 = 0, w = 1: tangents at -1 and 1 meet at 0 with equal masses
%! c = scripted_host ();
%! traced_density ("reset");
%! host_stream ("load", "rand", [0.25, 0.5, 0.5]);
%! x = ars_harness (@traced_density, 0, 1);
%! assert (traced_density ("points"), [0, -1, 0, 1, log(0.5)]);
%! assert (x, log (0.5));                  # first segment: z + log(v) / 1
%! assert (host_stream ("consumed", "rand"), 3);
%! host_stream ("load", "rand", [0.5, 0.5, 0.5]);
%! assert (ars_harness (@traced_density, 0, 1), -log (0.5));   # S * u1 = m1 picks the second

%!test  # x0 = -10: the left search keeps -11, the right one walks to 5
%! c = scripted_host ();
%! traced_density ("reset");
%! host_stream ("load", "rand", [0.5, 0.5, 1e-300]);
%! ars_harness (@traced_density, -10, 1);
%! points = traced_density ("points");
%! assert (points(1:7), [-10, -11, -10, -9, -7, -3, 5]);

%!test  # the acceptance test accepts on equality and rejects just above it
%! c = scripted_host ();
%! x = log (0.5);
%! ratio = exp ((-x * x / 2 - 1 * x) - 0.5);
%! host_stream ("load", "rand", [0.25, 0.5, ratio]);
%! assert (ars_harness (@traced_density, 0, 1), x);
%! host_stream ("load", "rand", [0.25, 0.5, ratio + eps(ratio), 0.25, 0.5, 1e-300]);
%! ars_harness (@traced_density, 0, 1);
%! assert (host_stream ("consumed", "rand"), 6);

%!test  # a rejected point adds a tangent unless its slope is too close
%! c = scripted_host ();
%! stream = [0.25, exp(-3), 1 - 2^-53, 0.25, exp(-3), 1e-300];
%! traced_density ("reset");
%! host_stream ("load", "rand", stream);
%! ars_harness (@traced_density, 0, 1);
%! p = traced_density ("points");
%! assert (p(6) != p(5));                  # the envelope changed
%! traced_density ("reset", 5, 1 + 5e-10); # within 1e-9 of the chosen slope 1
%! host_stream ("load", "rand", stream);
%! ars_harness (@traced_density, 0, 1);
%! p = traced_density ("points");
%! assert (p(6), p(5));                    # same uniforms, same envelope

%!test  # after 98 added tangents the pool is full and sampling still ends
%! c = scripted_host ();
%! s = seeded (5);
%! positions = rand (2, 150);
%! rejecting = [positions; (1 - 2^-53) * ones(1, 150)];
%! host_stream ("load", "rand", [rejecting(:); 0.5; 0.5; 1e-300]);
%! traced_density ("reset");
%! x = ars_harness (@traced_density, 0, 1);
%! assert (isfinite (x));
%! assert (numel (traced_density ("points")), 4 + 151);
%! assert (host_stream ("consumed", "rand"), 453);

%!test  # draws follow the standard normal
%! c = seeded (17);
%! x = ars_harness ("normal", 0, 1, 20000);
%! assert (abs (mean (x)) < 5 / sqrt (20000));
%! assert (abs (var (x) - 1) < 5 * sqrt (2 / 20000));
%! dkw_check (x, @(t) 0.5 * erfc (-t / sqrt (2)));
%! y = ars_harness ("normal", -10, 0.5, 4000);
%! dkw_check (y, @(t) 0.5 * erfc (-t / sqrt (2)));

%!test  # densities it cannot sample give NaN at once instead of a hang
%! flat = @(x) deal (0, 0);                       # never falls off
%! assert (isnan (ars_harness (flat, 0, 1)));
%! rising = @(x) deal (x, 1);                      # improper on the right
%! assert (isnan (ars_harness (rising, 0, 1)));
%! assert (isnan (ars_harness (@(x) deal (NaN, NaN), 0, 1)));
%! assert (isnan (ars_harness (@(x) deal (-Inf, 0), 0, 1)));

## The warning line: once per loaded module, on standard error.
%!testif ; ! instrumented ("the ARS warning (60,000 interpreted rand calls in a child: minutes)")
%! here = fileparts (fileparts (which ("scripted_host")));
%! code = ["addpath ('" fileparts(which ("ars_harness")) "', '" here "/stream');", ...
%!         "warning ('off', 'Octave:shadowed-function'); rand ('state', 1);", ...
%!         "u = rand (2, 10001); q = [u; (1 - 2^-53) * ones(1, 10001)];", ...
%!         "host_stream ('load', 'rand', [q(:); 0.5; 0.5; 1e-300; q(:); 0.5; 0.5; 1e-300]);", ...
%!         "ars_harness ('normal', 0, 1); ars_harness ('normal', 0, 1);", ...
%!         "printf ('used %d\\n', host_stream ('consumed', 'rand'));"];
%! [status, out] = system (["octave-cli --no-history -q --eval \"" code "\" 2>&1"]);
%! assert (status, 0);
%! assert (numel (strfind (out, "WARNING: More than 10000 rejections in ars")), 1);
%! assert (! isempty (strfind (out, "used 60012")));
