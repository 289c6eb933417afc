## Every output bit and both generators' final states, for a fixed list of
## seeded calls (helpers/digest_calls.m), against the digests kept in
## tests/digests.txt. They were made on one Octave version and hold on
## every version: a changed one means a changed result or a changed host
## stream. An intended change is recorded with make digests.

%!test
%! stored = stored_digests ();
%! calls = digest_calls ();
%! assert (stored(:, 1), calls(:, 1), "digests.txt names other calls than digest_calls");
%! changed = {};
%! for k = 1:rows (calls)
%!   try
%!     d = call_digest (calls{k, 2:4});
%!   catch err
%!     d = ["error: " err.message];
%!   end_try_catch
%!   if (! strcmp (d, stored{k, 2}))
%!     changed{end+1} = sprintf ("%s (%s)", calls{k, 1}, d);
%!   endif
%! endfor
%! if (! isempty (changed))
%!   error ("digests changed: %s", strjoin (changed, ", "));
%! endif
