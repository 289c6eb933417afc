## Every list that names the modules agrees with the module table
## (src/modules.mk, as make reads it): a module added to the table but
## forgotten elsewhere, or a plug-in source missing from the table, fails
## here and names the list.

%!function [modules, functions, root] = module_table ()
%!  root = fileparts (fileparts (fileparts (which ("scripted_host"))));
%!  [status, out] = system (sprintf ("make -s --no-print-directory -C '%s' module-table", root));
%!  assert (status == 0, "make module-table failed: %s", out);
%!  words = @(key) strsplit (strtrim (regexp (out, ['^' key ' ([^\n]*)$'], "tokens", "once", "lineanchors"){1}));
%!  modules = words ("MODULES");
%!  functions = words ("FUNCTIONS");
%!endfunction

%!function word = count_word (n)
%!  ones_ = {"one", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten", ...
%!           "eleven", "twelve", "thirteen", "fourteen", "fifteen", "sixteen", "seventeen", ...
%!           "eighteen", "nineteen"};
%!  tens = {"", "twenty", "thirty", "forty"};
%!  if (n < 20)
%!    word = ones_{n};
%!  elseif (mod (n, 10) == 0)
%!    word = tens{n / 10};
%!  else
%!    word = [tens{floor(n / 10)} "-" ones_{mod(n, 10)}];
%!  endif
%!endfunction

%!test  # the table against the sources, the help files and the build under test
%! [modules, functions, root] = module_table ();
%! sources = glob (fullfile (root, "src", "*", "*.cpp"));
%! entries = sources(cellfun (@(f) ! isempty (strfind (fileread (f), "void mexFunction(")), sources));
%! [~, entries] = cellfun (@fileparts, entries, "uniformoutput", false);
%! assert (isequal (sort (entries(:))', sort (modules)), "the plug-in sources under src/ and the table differ");
%! [~, help_files] = cellfun (@fileparts, glob (fullfile (root, "inst", "*.m")), "uniformoutput", false);
%! assert (isequal (sort (help_files(:))', sort ([modules, functions])), "inst/ and the table differ");
%! missing = modules(cellfun (@(m) exist (m) != 3, modules));
%! assert (isempty (missing), "not built as modules: %s", strjoin (missing, ", "));

%!test  # the lists written by hand
%! [modules, functions, root] = module_table ();
%! read = @(f) fileread (fullfile (root, f));
%! phrase = [count_word(numel (modules)) " MEX plug-ins"];
%! for file = {"DESCRIPTION", "NEWS"}
%!   assert (! isempty (regexpi (read (file{1}), strrep (phrase, " ", '\s+'), "once")), ...
%!           "%s does not say \"%s\"", file{1}, phrase);
%! endfor
%! readme_rows = regexp (read ("README.md"), '^\| `[^|]*', "match", "lineanchors");
%! fuzz_calls = regexp (read ("tests/fuzz/fuzz_call.m"), 'b\.(\w+) =', "tokens");
%! memory_jobs = regexp (read ("tests/memory/flat_memory.m"), '"(\w+)", \{', "tokens");
%! lists = {"README.md's Functions table", readme_rows, [modules, functions];
%!          "tests/fuzz/fuzz_call.m", fuzz_calls, modules;
%!          "tests/memory/flat_memory.m", memory_jobs, modules};
%! for k = 1:rows (lists)
%!   text = strjoin (cellfun (@(t) [cellstr(t){:}], lists{k, 2}, "uniformoutput", false), " ");
%!   named = @(name) ! isempty (regexp (text, ['\<' name '\>'], "once"));
%!   missing = lists{k, 3}(! cellfun (named, lists{k, 3}));
%!   assert (isempty (missing), "%s lacks %s", lists{k, 1}, strjoin (missing, ", "));
%! endfor
