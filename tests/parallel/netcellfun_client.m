## octave-cli netcellfun_client.m BUILD HELPERS EXAMPLES
## Run by test_parallel.m as root inside private namespaces (unshare --net
## --mount --pid) whose /tmp is a fresh tmpfs and whose only network device
## is its own loopback: starts a parallel-package server on 127.0.0.1, runs
## the suite's worker jobs on it with netcellfun, and checks them against a
## serial run in this process. Prints "netcellfun: N jobs equal the serial
## run bit for bit" or ends with an error.
##
## No authentication: nothing outside the namespace can reach its loopback.
## The server refuses to run as root, so it runs as nobody, on copies of the
## files the jobs need (the clone itself may be unreadable for nobody).
## Whatever happens here, the processes end with the namespace and the
## files with its /tmp.

[build, helpers, examples] = argv (){:};
work = "/tmp/samplekit";
mkdir (work);
copyfile (fullfile (build, "*.mex"), work);
copyfile (fullfile (build, "*.m"), work);
copyfile (fullfile (helpers, "worker_job.m"), work);
copyfile (fullfile (examples, "gibbs_chain.m"), work);
system (sprintf ("chmod -R a+rX %s", work));
addpath (work);
cd (work);
pkg load parallel

## Where pserver.m itself looks: the package's bin folder, then Debian's.
server = fullfile (fileparts (which ("pserver")), "bin", "octave-pserver");
if (! exist (server, "file"))
  server = "/usr/libexec/octave-pserver";
endif
[status, output] = system (sprintf ("setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=/tmp %s --octave-binary=%s --no-auth",
                                    server, fullfile (OCTAVE_HOME (), "bin", "octave-cli")));
if (status != 0)
  error ("netcellfun_client: the server did not start: %s", output);
endif

## The server forks into the background: wait up to 10 s for it to listen.
for attempt = 1:50
  try
    connections = pconnect ({"127.0.0.1"}, struct ("use_tls", false));
    break;
  catch
    pause (0.2);
  end_try_catch
endfor
if (! exist ("connections", "var"))
  error ("netcellfun_client: no connection to the server on 127.0.0.1");
endif
unwind_protect
  reval (sprintf ("addpath ('%s');", work), connections(2));
  rand ("state", 3);
  randn ("state", 3);
  y = 5 + randn (6, 4);
  jobs = num2cell (1:4);
  remote = netcellfun (connections, @(k) worker_job (y, k), jobs, "UniformOutput", false);
  serial = cellfun (@(k) worker_job (y, k), jobs, "UniformOutput", false);
  if (! isequal (remote, serial))
    error ("netcellfun_client: the netcellfun results differ from the serial run");
  endif
  printf ("netcellfun: %d jobs equal the serial run bit for bit\n", numel (jobs));
unwind_protect_cleanup
  sclose (connections);
  pserver ("kill");
end_unwind_protect
