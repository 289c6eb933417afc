## The dependency step (tools/apt_install) against a stand-in apt: which
## package names it installs for what the machine's package index offers,
## sudo only for a user other than root, and a clear stop when the index
## offers none of a package's names.

%!function [status, out, calls] = install_with (offered, uid, update_status)
%!  stubs = tempname ();
%!  mkdir (stubs);
%!  calls = fullfile (stubs, "calls");
%!  script = {"apt-cache", "case \" $OFFERED \" in *\" $2 \"*) echo \"Package: $2\";; *) exit 100;; esac";
%!            "apt-get", "echo \"${SUDOED:+sudo }apt-get $*\" >> \"$CALLS\"; [ \"$1\" != update ] || exit \"$UPDATE_STATUS\"";
%!            "sudo", "SUDOED=1 exec \"$@\"";
%!            "id", "echo \"$FAKE_UID\""};
%!  for k = 1:rows (script)
%!    file = fullfile (stubs, script{k, 1});
%!    fid = fopen (file, "w");
%!    fprintf (fid, "#!/bin/sh\n%s\n", script{k, 2});
%!    fclose (fid);
%!  endfor
%!  system (sprintf ("chmod +x '%s'/*", stubs));
%!  root = fileparts (fileparts (fileparts (which ("scripted_host"))));
%!  [status, out] = system (sprintf (["env PATH='%s':\"$PATH\" OFFERED='%s' FAKE_UID=%d " ...
%!    "UPDATE_STATUS=%d CALLS='%s' '%s/tools/apt_install' 'the reason' octave " ...
%!    "'octave-dev|liboctave-dev' 2>&1"], stubs, offered, uid, update_status, calls, root));
%!  calls = strtrim (fileread (calls));
%!  confirm_recursive_rmdir (false, "local");
%!  rmdir (stubs, "s");
%!endfunction

%!test  # the first name the index offers, as root and through sudo
%! cases = {
%!   # index offers (Debian 12, 13, older)  uid  update  installs
%!   "octave octave-dev liboctave-dev",     0,   0, "octave octave-dev";
%!   "octave octave-dev",                   0,   0, "octave octave-dev";
%!   "octave liboctave-dev",                0,   0, "octave liboctave-dev";
%!   "octave octave-dev",                1000,   0, "octave octave-dev";
%!   "octave octave-dev",                   0, 100, "octave octave-dev"};   # update failed
%! for k = 1:rows (cases)
%!   [status, out, calls] = install_with (cases{k, 1:3});
%!   sudo = {"", "sudo "}{1 + (cases{k, 2} != 0)};
%!   assert (status, 0, out);
%!   assert (strsplit (calls, "\n"), {[sudo "apt-get update -qq"], ...
%!     [sudo "apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=600 " cases{k, 4}]});
%!   said = sprintf ("the reason: installing %s with apt-get%s, without recommended packages\n", cases{k, 4}, ...
%!                   {"", " (through sudo)"}{1 + ! isempty (sudo)});
%!   assert (! isempty (strfind (out, said)), out);
%! endfor

%!test  # an index without any of the names: a clear stop, nothing installed
%! [status, out, calls] = install_with ("octave", 0, 0);
%! assert (status != 0);
%! assert (out, "the reason: reading the package index with apt-get update\nthe package index offers none of: octave-dev|liboctave-dev\n");
%! assert (calls, "apt-get update -qq");
