## fuzz_batch (SEED, FIRST, LAST, LOG)
## Makes calls FIRST..LAST of the fuzz sequence SEED, appending to the file
## LOG a line "CALL k name" before each call and "DONE k name outcome" after
## it, so that a crash or a hang names the call that caused it. Outcomes:
## error (a samplekit error, or the misbehaving host's own), foreign (an
## error that does not come from samplekit), result, insane.
function fuzz_batch (seed, first, last, log_file)
  warning ("off", "Octave:shadowed-function");
  here = fileparts (mfilename ("fullpath"));
  fid = fopen (log_file, "a");
  for k = first:last
    [name, args, nout, host] = fuzz_call (seed, k);
    fprintf (fid, "CALL %d %s\n", k, name);
    fflush (fid);
    if (! isempty (host))
      addpath (fullfile (here, "hosts", host));
    endif
    outcome = run_call (name, args, nout, host);
    if (! isempty (host))
      rmpath (fullfile (here, "hosts", host));
    endif
    fprintf (fid, "DONE %d %s %s\n", k, name, outcome);
    fflush (fid);
  endfor
  fclose (fid);
endfunction

function outcome = run_call (name, args, nout, host)
  f = str2func (name);
  try
    if (nout == 0)
      f (args{:});
      outcome = "result";
      return;
    endif
    results = cell (1, nout);
    [results{:}] = f (args{:});
    why = fuzz_sane (name, args, results{1}, results(2:end));
    if (isempty (why))
      outcome = "result";
    else
      outcome = ["insane " why];
    endif
  catch err
    if (strncmp (err.identifier, "samplekit:", 10) || own_host_error (err, host, nout))
      outcome = "error";
    else
      outcome = ["foreign " strrep(err.message, "\n", " ")];
    endif
  end_try_catch
endfunction

% Errors that Octave itself raises for a call it cannot make (more outputs
% than a function sets), or that the misbehaving host function raises.
function yes = own_host_error (err, host, nout)
  yes = (nout > 1 && ! isempty (regexp (err.message, "called with too many outputs|undefined", "once"))) ...
        || (! isempty (host) && ! isempty (regexp (err.message, "^(int8|sort|rand)", "once")));
endfunction
