## OUT = example_setup ()
## [PNG, CAN_DRAW] = example_setup (NAME, ...)
##
## The first form puts the built modules on the path (the folder named by
## $SAMPLEKIT_BUILD, else build/), selects gnuplot, which draws into files
## without a display, and returns the folder where the examples save their
## figures (examples/figures).
##
## The second form returns the full paths of the figure files NAME, ... in
## that folder and whether Octave can draw figures on this machine. When it
## cannot, it prints one line per figure naming what is missing and the
## Debian package that brings it, so that an example still prints its
## numbers and ends normally. The check draws one small figure into a
## temporary file, once per session.
function [out, can_draw] = example_setup (varargin)
  here = fileparts (mfilename ("fullpath"));
  build = getenv ("SAMPLEKIT_BUILD");
  if (isempty (build))
    build = "build";
  endif
  if (! is_absolute_filename (build))
    build = fullfile (here, "..", build);
  endif
  addpath (build);
  if (any (strcmp (available_graphics_toolkits (), "gnuplot")))
    warning ("off", "Octave:gnuplot-graphics");   # no display here: gnuplot draws the files
    graphics_toolkit ("gnuplot");
  endif
  set (0, "defaultfigurevisible", "off");
  folder = fullfile (here, "figures");
  if (! isfolder (folder))
    mkdir (folder);
  endif
  out = folder;
  if (nargin > 0)
    out = cellfun (@(name) fullfile (folder, name), varargin, "uniformoutput", false);
  endif
  can_draw = true;
  if (nargin > 0 || nargout > 1)
    missing = drawing_problem ();
    can_draw = isempty (missing);
  endif
  if (! can_draw)
    for k = 1:nargin
      printf ("  %s skipped: %s\n", varargin{k}, missing);
    endfor
  endif
endfunction

## Empty when a figure can be drawn and saved here, else what is missing.
## Without gnuplot, octave-cli has no graphics toolkit at all and figure ()
## fails; without fonts, Octave's text renderer fails as soon as an axes is
## made ("ft_text_renderer: invalid bounding box, cannot render").
function missing = drawing_problem ()
  persistent answer;
  if (! isempty (answer))
    missing = answer{1};
    return;
  endif
  missing = "";
  if (isempty (available_graphics_toolkits ()))
    missing = "gnuplot is not installed, and Octave has no other way to draw here (Debian package gnuplot-nox)";
  else
    saved_warnings = warning ();
    warning ("off", "all");      # a machine without fonts warns once per text
    probe = [tempname() ".png"];
    try
      f = figure ("visible", "off");
      unwind_protect
        plot (1:2);
        title ("probe");
        print (f, "-dpng", probe);
      unwind_protect_cleanup
        close (f);
      end_unwind_protect
    catch err
      missing = ["Octave could not draw a figure here: " err.message];
      if (! isempty (strfind (err.message, "ft_text_renderer")))
        missing = "Octave finds no fonts to draw text with (Debian package fonts-freefont-otf)";
      endif
    end_try_catch
    warning (saved_warnings);
    if (isempty (missing) && ! exist (probe, "file"))
      missing = "Octave's print made no file";
    endif
    if (exist (probe, "file"))
      delete (probe);
    endif
  endif
  answer = {missing};
endfunction
