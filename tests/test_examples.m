## The main example on a machine that cannot draw: without gnuplot (octave-cli
## then has no graphics toolkit) and without fonts (Octave's text renderer
## fails on the first axes). Each case runs in a child octave-cli whose
## environment hides that piece.

%!test
%! root = fileparts (fileparts (fileparts (which ("scripted_host"))));
%! example = fullfile (root, "examples", "particle_filter.m");
%! build = fileparts (which ("resample_systematic"));
%! sandbox = tempname ();
%! mkdir (fullfile (sandbox, "bin"));
%! cleanup = onCleanup (@() system (sprintf ("rm -rf '%s'", sandbox)));
%! ## Octave appends its own bin folder to PATH unless OCTAVE_EXEC_PATH is set.
%! symlink (file_in_path (getenv ("PATH"), "octave-cli"), fullfile (sandbox, "bin", "octave-cli"));
%! fid = fopen (fullfile (sandbox, "fonts.conf"), "w");
%! fprintf (fid, "<?xml version=\"1.0\"?>\n<fontconfig><cachedir>%s</cachedir></fontconfig>\n", sandbox);
%! fclose (fid);
%! drawing_package = "fonts-freefont-otf";
%! if (isempty (available_graphics_toolkits ()))
%!   drawing_package = "gnuplot-nox";     # no gnuplot here: that is what a child misses first
%! endif
%! cases = {sprintf("PATH='%s/bin' OCTAVE_EXEC_PATH='%s/bin'", sandbox, sandbox), "gnuplot-nox";
%!          sprintf("FONTCONFIG_FILE='%s/fonts.conf' OCTAVE_FONTS_DIR='%s/none'", sandbox, sandbox), drawing_package};
%! for c = 1:rows (cases)
%!   [status, out] = system (sprintf ("cd '%s' && %s SAMPLEKIT_BUILD='%s' octave-cli --no-history -q '%s' 2>&1",
%!                                    sandbox, cases{c, 1}, build, example));
%!   assert (status, 0, out);
%!   assert (! isempty (regexp (out, "^  systematic +\\d", "lineanchors")), out);   # the numbers still come
%!   skipped = regexp (out, "^  particle_filter_\\w+\\.png skipped: .*\\(Debian package ([\\w-]+)\\)$",
%!                     "tokens", "lineanchors", "dotexceptnewline");
%!   assert (numel (skipped), 2, out);
%!   assert (cellfun (@(t) t{1}, skipped, "uniformoutput", false), {cases{c, 2}, cases{c, 2}});
%!   assert (isempty (strfind (out, "warning:")) && isempty (strfind (out, "error:")), out);
%! endfor
