## -*- texinfo -*-
## @deftypefn  {} {} samplekit_build ()
## @deftypefnx {} {} samplekit_build (@var{folder})
## Build the samplekit modules with @code{mex}, without make.
##
## Compiles every module from the sources beside this file into @var{folder}
## (default: the @file{build} folder beside this file) and copies each
## module's help file next to it, so that @code{addpath (@var{folder})}
## makes all of them callable with their help.  Which sources each module
## links is read from @file{src/modules.mk}, the module table the Makefile uses.
## @end deftypefn

function samplekit_build (folder)
  root = fileparts (mfilename ("fullpath"));
  if (nargin < 1)
    folder = fullfile (root, "build");
  endif
  if (! isfolder (folder))
    mkdir (folder);
  endif
  [modules, links, host_sources, functions] = module_table (fullfile (root, "src", "modules.mk"));
  setenv ("CXXFLAGS", "-std=c++17 -O2 -ffp-contract=off");   # no FMA: the bits need products rounded
  ## A source that several modules link is compiled once: the host layer
  ## alone, with Octave's headers, would otherwise cost every module seconds.
  objects = tempname ();
  mkdir (objects);
  cleanup = onCleanup (@() remove_folder (objects));
  shared = unique ([host_sources, links{:}]);
  object_of = @(s) fullfile (objects, [strrep(s, "/", "__") ".o"]);
  for k = 1:numel (shared)
    mex ("-c", fullfile (root, "src", shared{k}), "-o", object_of (shared{k}));
  endfor
  in_objects = @(list) cellfun (object_of, list, "uniformoutput", false);
  host = in_objects (host_sources);
  for m = 1:numel (modules)
    own = glob (fullfile (root, "src", "*", [modules{m} ".cpp"])){1};
    extra = in_objects (links{m});
    mex ("-output", fullfile (folder, modules{m}), own, extra{:}, host{:});
    copyfile (fullfile (root, "inst", [modules{m} ".m"]), folder);
  endfor
  for f = functions                      # written in Octave: no module
    copyfile (fullfile (root, "inst", [f{1} ".m"]), folder);
  endfor
  printf ("samplekit: %d modules built in %s\n", numel (modules), folder);
endfunction

function remove_folder (folder)
  confirm_recursive_rmdir (false, "local");
  rmdir (folder, "s");
endfunction

## The module table's modules in index order, the sources each links besides
## its own, the host layer's sources that every module links, and the
## functions written in Octave: the make variables of modules.mk, read as
## make reads them (continued lines joined, $(NAME) replaced by its value).
function [modules, links, host, functions] = module_table (file)
  text = regexprep (fileread (file), '\\\n', " ");
  found = regexp (text, '^(\w+) := ([^\n]*)$', "tokens", "lineanchors");
  vars = struct ();
  for k = 1:numel (found)
    value = found{k}{2};
    for name = regexp (value, '\$\((\w+)\)', "tokens")
      value = strrep (value, ["$(" name{1}{1} ")"], vars.(name{1}{1}));
    endfor
    vars.(found{k}{1}) = strtrim (value);
  endfor
  words = @(name) table_words (vars, name);
  sections = words ("SECTIONS");
  modules = cellfun (@(s) words (["MODULES_" s]), sections, "uniformoutput", false);
  modules = [modules{:}];
  functions = cellfun (@(s) words (["FUNCTIONS_" s]), sections, "uniformoutput", false);
  functions = [functions{:}];
  links = cellfun (@(m) words (["LINK_" m]), modules, "uniformoutput", false);
  host = words ("HOST_SOURCES");
endfunction

## The words of variable NAME, none when it is not set.
function list = table_words (vars, name)
  list = {};
  if (isfield (vars, name))
    list = strsplit (vars.(name));
    list(cellfun (@isempty, list)) = [];
  endif
endfunction
