## -*- texinfo -*-
## @deftypefn  {} {@var{Y} =} student_t_draws (@var{nu})
## @deftypefnx {} {@var{Y} =} student_t_draws (@var{nu}, @var{M}, @var{N})
## @deftypefnx {} {@var{Y} =} student_t_draws (@var{nu}, [@var{M} @var{N}])
## Draws from Student's t distribution.
##
## Each element of @var{Y} is a draw from the t distribution with @var{nu}
## degrees of freedom (location 0, scale 1).  @var{nu} is a scalar, used for
## every element, or an array giving one value per element.  With one
## argument @var{Y} has the size of @var{nu}; with @var{M} and @var{N} it is
## @var{M} x @var{N} (truncated toward zero), and an array @var{nu} must be
## @var{M} x @var{N}.
## The size may also be given as one vector @code{[@var{M} @var{N}]}, as
## for @code{rand}: real numeric or logical, 1 x 2 or 2 x 1; any other
## single argument in its place gives "Wrong number of input arguments.".
##
## Randomness: first one call @code{randn (M, N)} fills the result with
## normals @var{z}; then, element by element in storage order, by the
## element's @var{nu}: exactly 1 gives @code{z / randn ()} (Cauchy); exactly
## 2 gives @code{sqrt (2) * (u - 0.5) / sqrt (u - u * u)} for one
## @code{rand ()} @var{u} (the element's normal is discarded); any other
## value gives @code{(z * sqrt (nu)) / sqrt (2 * G)} with @code{G} a gamma
## variate of shape @code{nu / 2} drawn from @code{rand} values.  The
## values after the first call are those of one call per value: Octave's
## builtin generators hand them over inside the process, with no
## interpreter call per value, while a @code{rand} or @code{randn} of your
## own on the path sees one call per value.  Seeding
## both @code{rand} and @code{randn} fixes every bit.  A NaN or infinite
## @var{nu} gives NaN.
##
## Degrees of freedom below 2e-5 are outside the gamma draw's range, whose
## rule for a shape below 1e-5 is to return the shape itself: for
## @code{0 < nu < 2e-5} the element is its normal @var{z} up to rounding,
## which is no t draw (such a t law has almost all its mass beyond 10 in
## absolute value; @code{mean (abs (student_t_draws (1e-6, 1e5, 1)) <= 10)}
## is about 1, the law's value about 0).  @var{nu} = 0 and negative
## @var{nu} give NaN.
##
## Ctrl-C stops a long call within milliseconds, with no result;
## @code{rand} and @code{randn} are then left as if the values the call had
## drawn so far had been drawn one call at a time.
##
## Threads: with one @var{nu} for every element, other than 1 and 2, the
## trials of the gamma variates are shared by worker threads, as many as the
## environment variable @env{SAMPLEKIT_THREADS} says (a whole number from 1 to 1024) or,
## when it is unset or empty, as many as the cores Octave may run on (at most
## 64); small inputs stay on one thread.  The result and the generators'
## states are the same, bit for bit, for every thread count: every random
## value is drawn on the calling thread, in the order described above.  Any
## other value of the variable raises "SAMPLEKIT_THREADS must be a whole
## number from 1 to 1024, or unset.".
##
## Errors: "Too many output arguments.", "Wrong number of input arguments.",
## "Size information is inconsistent.", the size messages, "nu must be a
## real double array." (an array @var{nu} of another class), "nu must be a
## real number.", "nu must not be empty." and "The host's randn returned an
## unexpected result." (a @code{randn} of your own on the path that returns
## the wrong size or class).
##
## @example
## t = student_t_draws (4, 1000, 1);
## @end example
## @seealso{exponential_draws}
## @end deftypefn

%!test
%! s1 = rand ("state");  s2 = randn ("state");
%! unwind_protect
%!   rand ("state", 42);  randn ("state", 42);
%!   a = student_t_draws ([1 2; 3 4]);
%!   rand ("state", 42);  randn ("state", 42);
%!   assert (student_t_draws ([1 2; 3 4]), a);
%!   rand ("state", 42);  randn ("state", 42);
%!   assert (student_t_draws ([1 2; 3 4], [2 2]), a);   # the size as one vector
%!   assert (size (student_t_draws (4, 3, 5)), [3 5]);
%!   assert (size (student_t_draws (1)), [1 1]);
%!   assert (size (student_t_draws (zeros (0, 0))), [0 0]);
%!   assert (size (student_t_draws (4, 0, 3)), [0 3]);
%! unwind_protect_cleanup
%!   rand ("state", s1);  randn ("state", s2);
%! end_unwind_protect

%!error <Too many output arguments\.> [a, b] = student_t_draws (1, 2)
%!error <Wrong number of input arguments\.> student_t_draws (1, 2)
%!error <Size information is inconsistent\.> student_t_draws (ones (3, 1), 3, 2)
%!error <nu must be a real double array\.> student_t_draws (int8 ([1 2]))
