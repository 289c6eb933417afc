## C = interrupt_child ("start", FOLDER, ...)
## SECONDS = interrupt_child ("run", C, CALL)
## SECONDS = interrupt_child ("answer", C, CALL, DELAY)
## interrupt_child ("send", C, COMMAND), LINE = interrupt_child ("await", C, WORD, LIMIT)
## interrupt_child ("stop", C)
##
## An interactive octave-cli child that reads its commands from a pipe, with
## FOLDERs on its path, for Ctrl-C tests and benchmarks: "run" times CALL to
## its end; "answer" starts CALL, sends SIGINT after DELAY seconds and
## returns how long the child then took to answer its next command (an
## error if CALL ran to its end first).
function varargout = interrupt_child (what, varargin)
  switch (what)
    case "start"
      octave = fullfile (OCTAVE_HOME (), "bin", "octave-cli");
      [c.in, c.out, c.pid] = popen2 (octave, {"--no-history", "--no-line-editing", "--no-init-file", "-q", "-i"});
      send (c, sprintf ("addpath (%s); disp ('READY')", strjoin (strcat ("'", varargin, "'"), ", ")));
      await (c, "READY", 120);
      varargout{1} = c;
    case "run"
      [c, call] = varargin{:};
      send (c, ["tic; x = " call "; printf ('TOOK %.6f\\n', toc); clear x"]);
      varargout{1} = str2double (regexp (await (c, "TOOK", 600), 'TOOK (\S+)', "tokens", "once"){1});
    case "answer"
      [c, call, delay] = varargin{:};
      send (c, ["disp ('START'); x = " call "; disp ('FINISHED')"]);
      await (c, "START", 60);
      pause (delay);
      interrupted = tic ();
      kill (c.pid, 2);
      send (c, "disp ('BACK')");
      await (c, "BACK", 600, "FINISHED");
      varargout{1} = toc (interrupted);
    case "send"
      send (varargin{:});
    case "await"
      varargout{1} = await (varargin{:});
    case "stop"
      stop (varargin{1});
  endswitch
endfunction

function send (c, command)
  fputs (c.in, [command "; fflush(stdout);\n"]);
  fflush (c.in);
endfunction

## The child's next line holding `word`, within `limit` seconds; a line
## holding `failure` first is an error. Lines arrive in pieces.
function line = await (c, word, limit, failure)
  started = tic ();
  line = "";
  while (toc (started) < limit)
    piece = fgets (c.out);
    if (! ischar (piece))
      fclear (c.out);
      pause (0.002);
      continue;
    endif
    line = [line piece];
    if (line(end) != "\n")
      continue;
    elseif (nargin > 3 && strfind (line, failure))
      error ("child: %s", line);
    elseif (strfind (line, word))
      return;
    endif
    line = "";
  endwhile
  error ("child: no %s within %g s", word, limit);
endfunction

function stop (c)
  fputs (c.in, "exit\n");
  fclose (c.in);
  fclose (c.out);
  for wait = 1:100                  # up to 5 s for its exit command
    if (waitpid (c.pid, WNOHANG) == c.pid)
      return;
    endif
    pause (0.05);
  endfor
  kill (c.pid, 9);
  waitpid (c.pid);
endfunction
