## -*- texinfo -*-
## @deftypefn  {} {} samplekit_build ()
## @deftypefnx {} {} samplekit_build (@var{folder})
## Build the samplekit modules with @code{mex}, without make.
##
## Compiles every module from the sources beside this file into @var{folder}
## (default: the @file{build} folder beside this file) and copies each
## module's help file next to it, so that @code{addpath (@var{folder})}
## makes all of them callable with their help.  Which sources each module
## links is read from @file{src/modules.mk}, the list the Makefile uses.
## @end deftypefn

function samplekit_build (folder)
  root = fileparts (mfilename ("fullpath"));
  if (nargin < 1)
    folder = fullfile (root, "build");
  endif
  if (! isfolder (folder))
    mkdir (folder);
  endif
  [groups, host_sources] = module_groups (fullfile (root, "src", "modules.mk"));
  setenv ("CXXFLAGS", "-std=c++17 -O2 -ffp-contract=off");   # no FMA: the bits need products rounded
  host = cellfun (@(s) fullfile (root, "src", s), host_sources, "uniformoutput", false);
  for g = 1:rows (groups)
    extra = cellfun (@(s) fullfile (root, "src", s), groups{g, 2}, "uniformoutput", false);
    for m = groups{g, 1}
      own = glob (fullfile (root, "src", "*", [m{1} ".cpp"])){1};
      mex ("-output", fullfile (folder, m{1}), own, extra{:}, host{:});
      copyfile (fullfile (root, "inst", [m{1} ".m"]), folder);
    endfor
  endfor
  copyfile (fullfile (root, "inst", "samplekit_worker_seed.m"), folder);   # written in Octave, no module
  printf ("samplekit: %d modules built in %s\n", sum (cellfun (@numel, groups(:, 1))), folder);
endfunction

## {modules, sources} per group, from the lines "X_MODULES := ..." and
## "X_SOURCES := ..." of modules.mk, and the host layer's sources that every
## module links.
function [groups, host] = module_groups (file)
  text = fileread (file);
  host = strsplit (strtrim (regexp (text, 'HOST_SOURCES :=([^\n]*)', "tokens", "once"){1}));
  found = regexp (text, '(\w+)_MODULES := ([^\n]*)', "tokens");
  groups = cell (numel (found), 2);
  for g = 1:numel (found)
    groups{g, 1} = strsplit (strtrim (found{g}{2}));
    sources = regexp (text, [found{g}{1} '_SOURCES :=([^\n]*)'], "tokens", "once");
    groups{g, 2} = strsplit (strtrim (sources{1}));
    groups{g, 2}(cellfun (@isempty, groups{g, 2})) = [];
  endfor
endfunction
