## -*- texinfo -*-
## @deftypefn {} {} host_stream ("load", FN, VALUES)
## @deftypefnx {} {N =} host_stream ("consumed", FN)
## @deftypefnx {} {C =} host_stream ("calls", FN)
## @deftypefnx {} {} host_stream ("clear")
## Scripted values for the test-only @code{rand}/@code{randn} beside this file.
##
## While a queue is loaded for FN ("rand" or "randn"), every call of FN
## returns the next values of the queue in the shape asked for, and raises
## an error when the queue runs dry. "consumed" counts the values handed out,
## "calls" lists the size asked for by each of the first 1000 calls. Without a queue, and for
## calls with a text argument such as rand ("state", k), FN falls through to
## Octave's builtin.
## @end deftypefn

function varargout = host_stream (action, fn, varargin)
  persistent queues = struct ("rand", [], "randn", []);
  persistent used = struct ("rand", 0, "randn", 0);
  persistent calls = struct ("rand", {{}}, "randn", {{}});
  persistent loaded = struct ("rand", false, "randn", false);

  switch (action)
    case "load"
      queues.(fn) = varargin{1}(:);
      used.(fn) = 0;
      calls.(fn) = {};
      loaded.(fn) = true;
    case "consumed"
      varargout{1} = used.(fn);
    case "calls"
      varargout{1} = calls.(fn);
    case "clear"
      for name = {"rand", "randn"}
        queues.(name{1}) = [];
        used.(name{1}) = 0;
        calls.(name{1}) = {};
        loaded.(name{1}) = false;
      endfor
    case "next"
      args = varargin;
      if (! loaded.(fn) || any (cellfun (@ischar, args)))
        varargout = {[], false};
        return;
      endif
      dims = requested_dims (args);
      k = prod (dims);
      if (used.(fn) + k > numel (queues.(fn)))
        error ("host_stream: scripted %s ran dry: %d values asked, %d left", fn, k,
               numel (queues.(fn)) - used.(fn));
      endif
      if (numel (calls.(fn)) < 1000)   # enough for any test; keeps long runs linear
        calls.(fn){end+1} = dims;
      endif
      values = queues.(fn)(used.(fn) + (1:k));
      used.(fn) += k;
      varargout = {reshape(values, dims), true};
    otherwise
      error ("host_stream: unknown action '%s'", action);
  endswitch
endfunction

function dims = requested_dims (args)
  if (isempty (args))
    dims = [1 1];
  elseif (numel (args) == 1 && isscalar (args{1}))
    dims = [args{1} args{1}];
  elseif (numel (args) == 1)
    dims = args{1}(:).';
  else
    dims = cellfun (@double, args);
  endif
  dims = max (dims, 0);
endfunction
