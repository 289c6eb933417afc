## Runs in other processes: jobs that seed themselves by samplekit_worker_seed
## give the serial run's bits in parcellfun's worker processes and on a
## parallel-package server on 127.0.0.1 (netcellfun). Needs Octave's
## parallel package (make test installs it on Debian); where a run cannot
## be made, its block is skipped and helpers/parallel_ready.m says why.

%!shared examples
%! examples = fullfile (fileparts (fileparts (fileparts (which ("worker_job")))), "examples");

%!function run_client (mode, prefix, examples)
%!  ## Runs tests/parallel/parallel_client.m MODE in a child Octave, within
%!  ## 60 s, behind PREFIX (a command that the child's command line follows),
%!  ## and fails unless it reports the serial run's bits.
%!  quoted = @(s) ["'" strrep(s, "'", "'\\''") "'"];
%!  tests = fileparts (fileparts (which ("worker_job")));
%!  sanitizer = getenv ("ASAN_OPTIONS");
%!  if (! isempty (sanitizer))
%!    sanitizer = sprintf ("ASAN_OPTIONS=%s:suppressions=%s ", sanitizer,
%!                         quoted (fullfile (tests, "parallel", "asan.supp")));
%!  endif
%!  ## The test-only programs are built beside the test-only modules.
%!  command = sprintf ("%stimeout -k 5 60 %s %s --no-history -q %s %s %s %s %s %s 2>&1", sanitizer, prefix,
%!                     quoted (fullfile (OCTAVE_HOME (), "bin", "octave-cli")),
%!                     quoted (fullfile (tests, "parallel", "parallel_client.m")), mode,
%!                     quoted (fileparts (which ("gig_draws"))), quoted (fullfile (tests, "helpers")),
%!                     quoted (examples), quoted (fileparts (which ("rv_harness"))));
%!  [status, output] = system (command);
%!  if (status != 0 || isempty (strfind (output, [mode ": 4 jobs equal the serial run bit for bit"])))
%!    error ("%s failed (status %d):\n%s", mode, status, output);
%!  endif
%!  printf ("%s\n", regexp (output, '^note: .*$', "match", "lineanchors", "dotexceptnewline"){:});
%!endfunction

%!testif ; parallel_ready ("parcellfun")
%! ## parcellfun: each job's bits do not depend on the process, the order or
%! ## the number of workers, and distinct jobs draw distinct streams.
%! run_client ("parcellfun", "", examples);

%!testif ; parallel_ready ("netcellfun")
%! ## The same with netcellfun on a server at 127.0.0.1, inside private
%! ## network, mount and pid namespaces (root only) that keep the traffic,
%! ## the server's files and its processes inside them. Where the packaged
%! ## server aborts on every connection, pserver_stand_in serves (a line
%! ## says so).
%! fresh_tmp = "mount -t tmpfs -o mode=1777 tmpfs /tmp";
%! ## A checkout under /tmp would vanish under the fresh /tmp: the tmpfs is
%! ## made at /mnt, the checkout bound into it, and then it is moved onto
%! ## /tmp (no program starts while the checkout is out of sight).
%! root = fileparts (examples);
%! if (strncmp (root, "/tmp/", 5))
%!   fresh_tmp = sprintf (["mount -t tmpfs -o mode=1777 tmpfs /mnt && mkdir -p \"/mnt%s\" && " ...
%!                         "mount --bind \"%s\" \"/mnt%s\" && mount --move /mnt /tmp"], root(5:end), root, root(5:end));
%! endif
%! run_client ("netcellfun", ["unshare --net --mount --pid --fork --kill-child sh -c '" fresh_tmp ...
%!             " && ip link set lo up && exec \"$@\"' sh"], examples);
