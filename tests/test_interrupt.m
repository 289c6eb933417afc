## Ctrl-C during a long call. An interactive octave-cli child reads its
## commands from a pipe and gets SIGINT in the middle of long calls of
## several plug-ins: each time its next command answers within 0.5 s.
## Then a call interrupted after its draws leaves rand and randn where
## those draws would, and a seeded call still gives its exact bits.

%!function send (in, command)
%!  fputs (in, [command "; fflush(stdout);\n"]);
%!  fflush (in);
%!endfunction

## The child's next line holding `word`, within `limit` seconds; a line
## holding `failure` first is an error. Lines arrive in pieces.
%!function line = await (out, word, limit, failure)
%!  started = tic ();
%!  line = "";
%!  while (toc (started) < limit)
%!    piece = fgets (out);
%!    if (! ischar (piece))
%!      fclear (out);
%!      pause (0.002);
%!      continue;
%!    endif
%!    line = [line piece];
%!    if (line(end) != "\n")
%!      continue;
%!    elseif (nargin > 3 && strfind (line, failure))
%!      error ("child: %s", line);
%!    elseif (strfind (line, word))
%!      return;
%!    endif
%!    line = "";
%!  endwhile
%!  error ("child: no %s within %g s", word, limit);
%!endfunction

%!function stop_child (in, out, pid)
%!  fputs (in, "exit\n");
%!  fclose (in);
%!  fclose (out);
%!  for wait = 1:100                  # up to 5 s for its exit command
%!    if (waitpid (pid, WNOHANG) == pid)
%!      return;
%!    endif
%!    pause (0.05);
%!  endfor
%!  kill (pid, 9);
%!  waitpid (pid);
%!endfunction

%!function values = numbers_after (word, line)
%!  values = sscanf (line(strfind (line, word)(1) + numel (word):end), "%f");
%!endfunction

%!test
%! build = fileparts (which ("scaled_invchi2_draws"));
%! modules = fileparts (which ("stream_harness"));
%! octave = fullfile (OCTAVE_HOME (), "bin", "octave-cli");
%! [in, out, pid] = popen2 (octave, {"--no-history", "--no-line-editing", "--no-init-file", "-q", "-i"});
%! child = onCleanup (@() stop_child (in, out, pid));
%! send (in, sprintf ("addpath ('%s', '%s'); disp ('READY')", build, modules));
%! await (out, "READY", 120);
%! ## Each takes seconds; the signal comes once the output is allocated.
%! ## 1e7 weights, for a search over worker threads ends 3e7 draws from
%! ## 1e5 weights in about 0.5 s on Octave 11, before the signal; 6e7
%! ## gamma-family draws, whose trials run on worker threads too; chain
%! ## summaries of many variables (tasks on worker threads) and of one
%! ## long chain (sorted and transformed on this thread). First
%! ## an interpreter loop: a session's first interrupt costs the host
%! ## itself more on a busy machine.
%! long_calls = {"zeros (1, 1); while (true) end", ...
%!               "scaled_invchi2_draws (2, 5, 6e7, 1)", "mean_dof_gamma_draws (2, 5, 6e7, 1)", ...
%!               "student_t_draws (4, 6e7, 1)", "resample_multinomial (ones (1e7, 1), 1, 3e7)", ...
%!               "bayes_boot_mean (ones (1000, 1), 3e6)", "gig_draws (0.5, 2, 3, 3e7, 1)", ...
%!               "mcmc_summary (repmat ((1:1000)', [1 4 6000]))", "mcmc_summary ((1:1e7)')"};
%! for k = 1:numel (long_calls)
%!   answer = [];
%!   ## A call that misses its checks answers seconds late every time; a
%!   ## second try keeps a moment of the shared machine's load from
%!   ## failing one that does not.
%!   for attempt = 1:2
%!     send (in, ["disp ('START'); x = " long_calls{k} "; disp ('FINISHED')"]);
%!     await (out, "START", 30);
%!     pause (0.6 + instrumented ());
%!     interrupted = tic ();
%!     kill (pid, 2);
%!     send (in, "disp ('BACK')");
%!     await (out, "BACK", 60, "FINISHED");
%!     answer(attempt) = toc (interrupted);
%!     if (answer(attempt) < 0.5)
%!       break;
%!     endif
%!   endfor
%!   assert (answer(attempt) < 0.5, "%s answered %s s after SIGINT", long_calls{k}, mat2str (answer, 2));
%! endfor
%! ## The harness raises SIGINT at itself after five draws.
%! send (in, "rand ('state', 3); randn ('state', 4); stream_harness ('draws', 'uuNnu', 'interrupt')");
%! send (in, "words = double ([rand('state'); randn('state')]); printf ('STATES %d %d\\n', sum (words), (1:1250) * words)");
%! states = numbers_after ("STATES", await (out, "STATES", 30));
%! send (in, ["rand ('state', 5); randn ('state', 5); printf ('DRAWS'); ", ...
%!            "printf (' %.17g', [scaled_invchi2_draws(2, 5, 3, 1); student_t_draws([1; 4])]); printf ('\\n')"]);
%! draws = numbers_after ("DRAWS", await (out, "DRAWS", 30));
%! s = seeded (3);
%! randn ("state", 4);
%! stream_harness ("draws", "uuNnu");
%! words = double ([rand("state"); randn("state")]);
%! assert (states, [sum(words); (1:1250) * words]);   # exact: below 2^53
%! rand ("state", 5);
%! randn ("state", 5);
%! assert (draws, [scaled_invchi2_draws(2, 5, 3, 1); student_t_draws([1; 4])]);
