## [Y, CALLS] = caller_with_subfunctions (F, ...): Y = F (...) called from a
## file whose subfunctions rand and randn shadow Octave's; CALLS counts
## their calls, [rand randn]. Test-only (tests/test_caller_scope.m).
function [y, calls] = caller_with_subfunctions (f, varargin)
  global samplekit_shadow_calls
  samplekit_shadow_calls = [0 0];
  y = feval (f, varargin{:});
  calls = samplekit_shadow_calls;
endfunction

function varargout = rand (varargin)
  global samplekit_shadow_calls
  samplekit_shadow_calls(1)++;
  [varargout{1:max (nargout, 1)}] = builtin ("rand", varargin{:});
endfunction

function varargout = randn (varargin)
  global samplekit_shadow_calls
  samplekit_shadow_calls(2)++;
  [varargout{1:max (nargout, 1)}] = builtin ("randn", varargin{:});
endfunction
