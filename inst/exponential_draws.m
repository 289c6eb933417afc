## -*- texinfo -*-
## @deftypefn  {} {@var{Y} =} exponential_draws (@var{mu})
## @deftypefnx {} {@var{Y} =} exponential_draws (@var{mu}, @var{M}, @var{N})
## @deftypefnx {} {@var{Y} =} exponential_draws (@var{mu}, [@var{M} @var{N}])
## Exponential draws with mean @var{mu}.
##
## Each element of @var{Y} is @code{-mu * log (u)} for its own uniform
## @var{u}, an exponential draw with mean @var{mu}.  @var{mu} is a scalar,
## used for every element, or an array giving one value per element.  With
## one argument @var{Y} has the size of @var{mu}; with @var{M} and @var{N} it
## is @var{M} x @var{N} (truncated toward zero), and an array @var{mu} must
## be @var{M} x @var{N}.  The values of @var{mu} are not checked: 0 gives
## zeros, a negative mean negative values.
## The size may also be given as one vector @code{[@var{M} @var{N}]}, as
## for @code{rand}: real numeric or logical, 1 x 2 or 2 x 1; any other
## single argument in its place gives "Wrong number of input arguments.".
##
## Randomness: one call @code{rand (M, N)}, transformed in place in storage
## order; seeding @code{rand} fixes every bit.
##
## Ctrl-C stops a long call within milliseconds, with no result;
## @code{rand} and @code{randn} are then left as if the values the call had
## drawn so far had been drawn one call at a time.
##
## Threads: the work is shared by worker threads, as many as the environment
## variable @env{SAMPLEKIT_THREADS} says (a whole number from 1 to 1024) or,
## when it is unset or empty, as many as the cores Octave may run on (at most
## 64); small inputs stay on one thread.  The result is the same, bit for bit,
## for every thread count.  Every random value is drawn on the calling thread
## first, so seeding works as described above.  Any other value of the
## variable raises "SAMPLEKIT_THREADS must be a whole number from 1 to 1024,
## or unset.".
##
## Errors: "Too many output arguments.", "Wrong number of input arguments.",
## "Size information is inconsistent.", the size messages, "mu must be a
## real double array.", "mu must be a real number.", "mu must not be
## empty." and "The host's rand returned an unexpected result.".
##
## @example
## waits = exponential_draws (2.5, 1000, 1);
## @end example
## @seealso{student_t_draws}
## @end deftypefn

%!test
%! s = rand ("state");
%! unwind_protect
%!   rand ("state", 43);
%!   a = exponential_draws (2, 3, 4);
%!   rand ("state", 43);
%!   assert (exponential_draws (2, 3, 4), a);
%!   rand ("state", 43);
%!   assert (exponential_draws (2 * ones (3, 4)), a);
%!   rand ("state", 43);
%!   assert (exponential_draws (2, int32 ([3 4])), a);   # the size as one vector
%!   assert (all (a(:) > 0));
%!   assert (size (exponential_draws (1, 2.9, 3.2)), [2 3]);
%!   assert (size (exponential_draws (1, 0, 4)), [0 4]);
%!   assert (exponential_draws (0, 1, 3), [0 0 0]);
%! unwind_protect_cleanup
%!   rand ("state", s);
%! end_unwind_protect

%!error <Too many output arguments\.> [a, b] = exponential_draws (1)
%!error <Wrong number of input arguments\.> exponential_draws (1, 2)
%!error <Wrong number of input arguments\.> exponential_draws ()
%!error <Size information is inconsistent\.> exponential_draws (ones (3, 5), 3, 4)
