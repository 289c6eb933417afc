## The host streams when a call alternates rand and randn: the generator
## that is not in Octave's twister draws blocks ahead, which must leave every
## value, both states and the older generators' seeds exactly where a
## pass-through rand/randn on the path (tests/stream), called by name once
## per value, leaves them: across block edges, with arrays and look-ahead
## windows between the values, and when the call fails after drawing.

%!test  # the generators alternated past every block drawn ahead, with arrays, windows and errors
%! s = seeded (0);
%! ## {pattern, times, ending, older generator}
%! cases = {"un", 9000, "", false; "nuuuuuuuuu", 1000, "error", false; "unnUuNnnw", 800, "", false;
%!          "uwnnn", 300, "error", false; "nu", 7, "error", false; "Nuuunn", 3, "", true;
%!          "nwUn", 200, "", false; "unuNnnuu", 40, "error", true};
%! for k = 1:rows (cases)
%!   [pattern, times, ending, older] = cases{k, :};
%!   for by_name = [false true]
%!     c = [];
%!     if (by_name) c = scripted_host (); endif
%!     rand ("state", k);
%!     randn ("state", k + 50);
%!     if (older)
%!       rand ("seed", k);
%!       randn ("seed", k + 50);
%!     endif
%!     try
%!       v = stream_harness ("draws", pattern, ending, times);
%!     catch err
%!       assert (err.message, "stream_harness: failed after drawing");
%!       v = [];
%!     end_try_catch
%!     clear c;
%!     results{by_name + 1} = {v, rand("state"), randn("state"), rand("seed"), rand(2, 1), randn(2, 1)};
%!   endfor
%!   assert (isequal (results{1}, results{2}), "%s x %d", pattern, times);
%! endfor
%! rand ("state", 0);
%! randn ("state", 0);
