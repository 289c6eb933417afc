## [Y, CALLS] = caller_with_private (F, ...): Y = F (...) called from a
## folder whose private rand and randn shadow Octave's; CALLS counts their
## calls, [rand randn]. Test-only (tests/test_caller_scope.m).
function [y, calls] = caller_with_private (f, varargin)
  global samplekit_shadow_calls
  samplekit_shadow_calls = [0 0];
  y = feval (f, varargin{:});
  calls = samplekit_shadow_calls;
endfunction
