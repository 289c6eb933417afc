## TF = parallel_ready (MODE)
## Whether tests/test_parallel.m can run MODE here ("parcellfun", or
## "netcellfun", which also needs private namespaces: root, unshare, ip and
## setpriv). When it cannot, prints one line with the cause, the failing
## command's own words where there are some, and the block is skipped.
function tf = parallel_ready (mode)
  cause = "";
  if (isempty (pkg ("list", "parallel")))
    cause = "octave-parallel is not installed";
  elseif (strcmp (mode, "netcellfun"))
    cause = namespace_problem ();
  endif
  tf = isempty (cause);
  if (! tf)
    printf ("skipped %s: %s\n", mode, cause);
  endif
endfunction

function cause = namespace_problem ()
  cause = "";
  if (getuid () != 0)
    cause = "a private network namespace needs root";
    return;
  endif
  for tool = {"unshare", "ip", "setpriv"}
    if (system (sprintf ("command -v %s > /dev/null 2>&1", tool{1})) != 0)
      cause = sprintf ("%s is not installed", tool{1});
      return;
    endif
  endfor
  [status, out] = system ("unshare --net --mount --pid --fork true 2>&1");
  if (status != 0)
    cause = sprintf ("unshare --net --mount --pid --fork failed: %s", strtrim (out));
  endif
endfunction
