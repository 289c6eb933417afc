## octave-cli parallel_client.m MODE BUILD HELPERS EXAMPLES PROGRAMS
## Run by test_parallel.m in a process of its own (so that the parallel
## package's exit handlers never run in the suite's process): runs the
## suite's worker jobs 4, 3, 2, 1 through MODE ("parcellfun" or
## "netcellfun") and 1 to 4 serially here, and prints "MODE: 4 jobs equal
## the serial run bit for bit" or ends with an error.
##
## netcellfun runs as root inside private namespaces (unshare --net --mount
## --pid) whose /tmp is a fresh tmpfs and whose only network device is their
## own loopback: the server listens on every address there, which are
## loopback addresses alone (127.0.0.0/8), without authentication, since
## nothing outside can reach it. It refuses to run as root, so it runs as
## nobody, on copies of the files the jobs need (the clone may be
## unreadable for nobody), among them the suite's pserver_stand_in from
## PROGRAMS. Whatever happens, its processes end with the namespace and its
## files with the namespace's /tmp.
1;

function folder = readable_copy (build, helpers, examples, programs)
  folder = "/tmp/samplekit";
  mkdir (folder);
  copyfile (fullfile (build, "*.mex"), folder);
  copyfile (fullfile (build, "*.m"), folder);
  copyfile (fullfile (helpers, "worker_job.m"), folder);
  copyfile (fullfile (examples, "gibbs_chain.m"), folder);
  copyfile (fullfile (programs, "pserver_stand_in"), folder);
  system (sprintf ("chmod -R a+rX %s", folder));
endfunction

function start_as_nobody (command)
  [status, output] = system (["setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=/tmp " command]);
  if (status != 0)
    error ("parallel_client: the server did not start: %s", output);
  endif
endfunction

## Stops the packaged server by its pid file and waits until it is gone.
## (pserver ("kill") does the same, but needs the hostname command.)
function stop_packaged_server ()
  for pid_file = glob ("/tmp/.octave-*.pid")'
    kill (str2double (fileread (pid_file{1})), 15);
  endfor
  for attempt = 1:50
    if (isempty (glob ("/tmp/.octave-*.pid")))
      break;
    endif
    pause (0.1);
  endfor
endfunction

function logs = server_logs ()
  logs = cellfun (@fileread, glob ("/tmp/*.log"), "UniformOutput", false);
  logs = [logs{:}];
endfunction

## Starts the server where pserver.m itself looks for it (the package's bin
## folder, then Debian's) and connects to it at 127.0.0.1, waiting up to
## 10 s for it to listen. Where that server's child aborts on the
## connection (Debian 13's and sid's build of it: see pserver_stand_in.cpp),
## the stand-in replaces it, once, and a line says so. The stand-in listens
## on 127.0.0.2, also this namespace's loopback: the aborted connection
## holds 127.0.0.1's command port in TIME_WAIT for a minute.
function connections = loopback_server (folder)
  octave = fullfile (OCTAVE_HOME (), "bin", "octave-cli");
  server = fullfile (fileparts (which ("pserver")), "bin", "octave-pserver");
  if (! exist (server, "file"))
    server = "/usr/libexec/octave-pserver";
  endif
  start_as_nobody (sprintf ("%s --octave-binary=%s --no-auth", server, octave));
  address = "127.0.0.1";
  for attempt = 1:50
    try
      connections = pconnect ({address}, struct ("use_tls", false));
      reval (sprintf ("addpath ('%s');", folder), connections(2));
      return;
    catch
      if (strcmp (address, "127.0.0.1") && ! isempty (strfind (server_logs (), "buffer overflow detected")))
        printf ("note: %s aborts on every connection (buffer overflow detected); netcellfun runs through pserver_stand_in\n",
                server);
        stop_packaged_server ();
        address = "127.0.0.2";
        start_as_nobody (sprintf ("%s %s %s > /tmp/pserver_stand_in.log 2>&1 &",
                                  fullfile (folder, "pserver_stand_in"), address, octave));
      endif
      pause (0.2);
    end_try_catch
  endfor
  error ("parallel_client: no connection to the server; its logs:\n%s", server_logs ());
endfunction

[mode, build, helpers, examples, programs] = argv (){:};
pkg load parallel
if (strcmp (mode, "netcellfun"))
  folder = readable_copy (build, helpers, examples, programs);
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
    stop_packaged_server ();
  endif
end_unwind_protect
