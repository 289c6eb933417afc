## [DIGESTS, FILE] = stored_digests ()
## The digests kept in tests/digests.txt: an N x 2 cell of call names and
## digests, in the file's order ('#' lines are comments). FILE is its path.
function [digests, file] = stored_digests ()
  file = fullfile (fileparts (fileparts (mfilename ("fullpath"))), "digests.txt");
  digests = cell (0, 2);
  if (! exist (file, "file"))
    return;
  endif
  lines = strsplit (strtrim (fileread (file)), "\n");
  lines = lines(! strncmp (lines, "#", 1));
  fields = regexp (lines, '^(\S+) ([0-9a-f]{32})$', "tokens", "once");
  if (! all (cellfun (@numel, fields) == 2))
    error ("stored_digests: a line of %s is not NAME DIGEST", file);
  endif
  digests = [cellfun(@(f) f{1}, fields, "UniformOutput", false)(:), ...
             cellfun(@(f) f{2}, fields, "UniformOutput", false)(:)];
endfunction
