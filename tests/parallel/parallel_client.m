## octave-cli parallel_client.m MODE BUILD HELPERS EXAMPLES
## Run by test_parallel.m in a process of its own (so that the parallel
## package's exit handlers never run in the suite's process): runs the
## suite's worker jobs 4, 3, 2, 1 through MODE ("parcellfun" or
## "netcellfun") and 1 to 4 serially here, and prints "MODE: 4 jobs equal
## the serial run bit for bit" or ends with an error.
##
## netcellfun runs as root inside private namespaces (unshare --net --mount
## --pid) whose /tmp is a fresh tmpfs and whose only network device is their
## own loopback: the server listens on every address there, which is
## 127.0.0.1 alone, without authentication, since nothing outside can reach
## it. It refuses to run as
## root, so it runs as nobody, on copies of the files the jobs need (the
## clone may be unreadable for nobody). Whatever happens, its processes end
## with the namespace and its files with the namespace's /tmp.
1;

function folder = readable_copy (build, helpers, examples)
  folder = "/tmp/samplekit";
  mkdir (folder);
  copyfile (fullfile (build, "*.mex"), folder);
  copyfile (fullfile (build, "*.m"), folder);
  copyfile (fullfile (helpers, "worker_job.m"), folder);
  copyfile (fullfile (examples, "gibbs_chain.m"), folder);
  system (sprintf ("chmod -R a+rX %s", folder));
endfunction

## Starts the server where pserver.m itself looks for it (the package's bin
## folder, then Debian's) and connects to it, waiting up to 10 s for it to
## listen.
function connections = loopback_server (folder)
  server = fullfile (fileparts (which ("pserver")), "bin", "octave-pserver");
  if (! exist (server, "file"))
    server = "/usr/libexec/octave-pserver";
  endif
  [status, output] = system (sprintf ("setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=/tmp %s --octave-binary=%s --no-auth",
                                      server, fullfile (OCTAVE_HOME (), "bin", "octave-cli")));
  if (status != 0)
    error ("parallel_client: the server did not start: %s", output);
  endif
  for attempt = 1:50
    try
      connections = pconnect ({"127.0.0.1"}, struct ("use_tls", false));
      reval (sprintf ("addpath ('%s');", folder), connections(2));
      return;
    catch
      pause (0.2);
    end_try_catch
  endfor
  logs = cellfun (@fileread, glob ("/tmp/octave_error-*.log"), "UniformOutput", false);
  error ("parallel_client: no connection to the server on 127.0.0.1; its logs:\n%s", [logs{:}]);
endfunction

[mode, build, helpers, examples] = argv (){:};
pkg load parallel
if (strcmp (mode, "netcellfun"))
  folder = readable_copy (build, helpers, examples);
  addpath (folder);
  cd (folder);
  connections = loopback_server (folder);
  run_jobs = @(job, jobs) netcellfun (connections, job, jobs, "UniformOutput", false);
else
  addpath (build, helpers, examples);
  run_jobs = @(job, jobs) parcellfun (2, job, jobs, "UniformOutput", false, "VerboseLevel", 0);
endif
unwind_protect
  rand ("state", 3);
  randn ("state", 3);
  y = 5 + randn (6, 4);
  job = @(k) worker_job (y, k);
  elsewhere = run_jobs (job, {4, 3, 2, 1});
  serial = cellfun (job, {1, 2, 3, 4}, "UniformOutput", false);
  if (! isequal (elsewhere, fliplr (serial)))
    error ("parallel_client: the %s results differ from the serial run", mode);
  endif
  chains = cellfun (@(r) r{1}(:, 2), serial, "UniformOutput", false);
  if (rows (unique ([chains{:}]', "rows")) != 4)
    error ("parallel_client: two jobs drew the same chain");
  endif
  printf ("%s: 4 jobs equal the serial run bit for bit\n", mode);
unwind_protect_cleanup
  if (exist ("connections", "var"))
    sclose (connections);
    ## pserver ("kill") does this too, but needs the hostname command.
    for pid_file = glob ("/tmp/.octave-*.pid")'
      kill (str2double (fileread (pid_file{1})), 15);
    endfor
  endif
end_unwind_protect
