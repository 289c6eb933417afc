## Counts its calls and passes them to Octave's randn (caller_with_private).
function varargout = randn (varargin)
  global samplekit_shadow_calls
  samplekit_shadow_calls(2)++;
  [varargout{1:max (nargout, 1)}] = builtin ("randn", varargin{:});
endfunction
