## OUT = example_setup ()
## Puts the built modules on the path, selects a graphics toolkit that works
## without a display, and returns the folder where the examples save their
## figures (examples/figures).
function out = example_setup ()
  here = fileparts (mfilename ("fullpath"));
  addpath (fullfile (here, "..", "build"));
  if (any (strcmp (available_graphics_toolkits (), "gnuplot")))
    warning ("off", "Octave:gnuplot-graphics");   # no display here: gnuplot draws the files
    graphics_toolkit ("gnuplot");
  endif
  set (0, "defaultfigurevisible", "off");
  out = fullfile (here, "figures");
  if (! isfolder (out))
    mkdir (out);
  endif
endfunction
