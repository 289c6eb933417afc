## Runs in other processes: jobs that seed themselves by samplekit_worker_seed
## give the serial run's bits in parcellfun's worker processes and on a
## parallel-package server on 127.0.0.1 (netcellfun); the chain diagnostics
## of examples/parallel_chains.m. Needs Octave's parallel package (make test
## installs it on Debian); without it those checks are skipped with one line.

%!shared have_parallel, examples
%! have_parallel = ! isempty (pkg ("list", "parallel"));
%! if (! have_parallel)
%!   printf ("skipped parcellfun and netcellfun: octave-parallel is not installed\n");
%! endif
%! examples = fullfile (fileparts (fileparts (fileparts (which ("worker_job")))), "examples");

%!function cleanup = saved_generators ()
%!  names = {"rand", "randn", "rande", "randg", "randp"};
%!  saved = cellfun (@(g) feval (g, "state"), names, "UniformOutput", false);
%!  cleanup = onCleanup (@() cellfun (@(g, s) feval (g, "state", s), names, saved));
%!endfunction

%!test
%! ## Split R-hat and ESS against chains whose answers are known: independent
%! ## draws (R-hat 1, ESS the draw count), AR(1) with phi = 0.9 (ESS
%! ## N (1 - phi) / (1 + phi)), and one chain off by 3 sd (R-hat well above 1).
%! addpath (examples);
%! unwind_protect
%!   guard = saved_generators ();
%!   randn ("state", 5);
%!   noise = randn (2000, 1, 4);
%!   ar = filter (1, [1 -0.9], noise);
%!   shifted = noise + cat (3, 0, 0, 0, 3);
%!   cases = {noise, 0.99, 1.01, 0.75 * 8000, 1.25 * 8000;
%!            ar, 0.99, 1.05, 0.5 * 8000 / 19, 1.5 * 8000 / 19;
%!            shifted, 1.2, Inf, 0, Inf};
%!   for c = 1:rows (cases)
%!     [rhat, ess] = chain_diagnostics (cases{c, 1});
%!     assert ([rhat >= cases{c, 2}, rhat <= cases{c, 3}, ess >= cases{c, 4}, ess <= cases{c, 5}]);
%!   endfor
%!   ## Each parameter's figures come from its own column alone.
%!   [rhat, ess] = chain_diagnostics ([noise, ar]);
%!   [rhat_noise, ess_noise] = chain_diagnostics (noise);
%!   [rhat_ar, ess_ar] = chain_diagnostics (ar);
%!   assert ([rhat; ess], [rhat_noise, rhat_ar; ess_noise, ess_ar]);
%! unwind_protect_cleanup
%!   rmpath (examples);
%! end_unwind_protect

%!test
%! ## parcellfun: each job's bits do not depend on the process, the order or
%! ## the number of workers, and distinct jobs draw distinct streams.
%! if (! have_parallel)
%!   return;
%! endif
%! pkg load parallel
%! addpath (examples);
%! unwind_protect
%!   guard = saved_generators ();
%!   y = 5 + randn (6, 4);
%!   job = @(k) worker_job (y, k);
%!   serial = cellfun (job, {1, 2, 3, 4}, "UniformOutput", false);
%!   parallel = parcellfun (2, job, {4, 3, 2, 1}, "UniformOutput", false, "VerboseLevel", 0);
%!   assert (isequal (parallel, fliplr (serial)));
%!   chains = cellfun (@(r) r{1}(:, 2), serial, "UniformOutput", false);
%!   assert (rows (unique ([chains{:}]', "rows")), 4);
%! unwind_protect_cleanup
%!   rmpath (examples);
%!   pkg unload parallel
%! end_unwind_protect

%!test
%! ## netcellfun on a server on 127.0.0.1, in private network, mount and pid
%! ## namespaces (root only) that keep the traffic, the server's files and
%! ## its processes inside them; 60 s at most.
%! if (! have_parallel)
%!   return;
%! endif
%! [status, ~] = system (["unshare --net --mount --pid --fork true && command -v ip && command -v setpriv"]);
%! if (status != 0)
%!   printf ("skipped netcellfun: a private network namespace needs root, unshare, ip and setpriv\n");
%!   return;
%! endif
%! quoted = @(s) ["'" strrep(s, "'", "'\\''") "'"];
%! tests = fileparts (fileparts (which ("worker_job")));
%! client = fullfile (tests, "parallel", "netcellfun_client.m");
%! folders = cellfun (@(f) fileparts (which (f)), {"gig_draws", "worker_job"}, "UniformOutput", false);
%! inside = "mount -t tmpfs -o mode=1777 tmpfs /tmp && ip link set lo up && exec \"$@\"";
%! command = sprintf ("timeout -k 5 60 unshare --net --mount --pid --fork --kill-child sh -c %s sh %s --no-history -q %s %s %s %s 2>&1",
%!                    quoted (inside), quoted (fullfile (OCTAVE_HOME (), "bin", "octave-cli")), quoted (client),
%!                    quoted (folders{1}), quoted (folders{2}), quoted (examples));
%! [status, output] = system (command);
%! if (status != 0 || isempty (strfind (output, "netcellfun: 4 jobs equal the serial run bit for bit")))
%!   error ("netcellfun on a loopback server failed (status %d):\n%s", status, output);
%! endif
