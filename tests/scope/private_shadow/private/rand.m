## Counts its calls and passes them to Octave's rand (caller_with_private).
function varargout = rand (varargin)
  global samplekit_shadow_calls
  samplekit_shadow_calls(1)++;
  [varargout{1:max (nargout, 1)}] = builtin ("rand", varargin{:});
endfunction
