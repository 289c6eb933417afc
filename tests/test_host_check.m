## The host check, with a difference planted in the twister copy of two
## plug-ins (build/tests/planted): one warning for the whole session, and
## every result and final state still the builtins' bits, here those of
## the ordinary build from the same seeds.

%!test
%! build = fileparts (which ("exponential_draws"));
%! planted = fullfile (fileparts (which ("stream_harness")), "planted");
%! calls = "rand ('state', 7); randn ('state', 7); y = {exponential_draws(2, 500, 1), exponential_draws(1, 3, 1), student_t_draws(4, 300, 1), student_t_draws(4), rand('state'), randn('state')};";
%! eval (calls);
%! expected = y;
%! file = [tempname() ".mat"];
%! cleanup = onCleanup (@() unlink (file));
%! [status, out] = system (sprintf ("octave-cli --no-history -q --eval \"addpath ('%s'); %s save ('-binary', '%s', 'y')\" 2>&1",
%!                                  planted, calls, file));
%! assert (status, 0);
%! warned = regexp (out, 'warning: exponential_draws: On Octave ([^,]+), [^\n]*\(a block of uniforms\)', "tokens");
%! assert (numel (warned), 1, out);
%! assert (warned{1}{1}, OCTAVE_VERSION);
%! assert (isempty (strfind (out, "student_t_draws:")), out);
%! load (file);
%! bits = @(a) typecast (a(:), "uint8");
%! assert (cellfun (@(a, b) isequal (bits (a), bits (b)), y, expected));
