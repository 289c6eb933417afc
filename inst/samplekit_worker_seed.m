## -*- texinfo -*-
## @deftypefn  {} {} samplekit_worker_seed (@var{master}, @var{k})
## @deftypefnx {} {@var{states} =} samplekit_worker_seed (@var{master}, @var{k})
## Seed this process's generators for job @var{k} of a run with master seed
## @var{master}.
##
## Sets the full Mersenne twister states of @code{rand} and @code{randn}, and
## of @code{rande}, @code{randg} and @code{randp}, to states that depend on
## the pair (@var{master}, @var{k}) alone.  Call it first in every job of a
## parallel run (@code{parcellfun} or @code{netcellfun} of Octave's parallel
## package, or separate Octave sessions), one @var{k} per job: a job's
## results then do not depend on which process runs it, in what order or
## beside how many others, so a serial rerun gives the same bits.
##
## @var{master} and @var{k} are integers from 0 to 2^53 - 1 (@code{flintmax
## - 1}), scalars of any real numeric class.  @var{k} = 0 may seed the main
## process.  The optional result @var{states} is a 625 x 5 uint32 matrix,
## the states set for @code{rand}, @code{randn}, @code{rande}, @code{randg}
## and @code{randp} in that order, each as @code{rand ("state")} returns it.
##
## What it guarantees: the same pair gives the same states in every session
## and on every machine, and distinct pairs give distinct states of each
## generator, so their streams differ from the first value on.  What it does
## not: the streams are not proven independent.  Two streams from distinct
## states could meet further along the generator's period of 2^19937 - 1;
## for any run that can be computed the chance is negligible, but it is not
## zero.
##
## How the states are made: word 1 of each state is 2^31 (the only bit of
## it the generator reads, so no state is the all-zero one) and word 625 is
## 1 (the position: the first draw regenerates the whole state, as after any
## seeding).  Words 2 to 624 are the first 623 of 156 blocks of four 32-bit
## words.  Block @var{b} (0 to 155) of generator @var{g} (0 to 4 in the order
## above) starts as the lanes x1 to x4 =
## @code{(mod (master, 2^32), floor (master / 2^32) + 2^21 g + 2^24 b,
## mod (k, 2^32), floor (k / 2^32))} and passes eight rounds of a four-lane
## Feistel network: round @var{r} XORs x1 with
## @code{f (x2 XOR f (x3 XOR f (x4 XOR mod (r * 0x9E3779B9, 2^32))))},
## where @code{f} is the 32-bit finalizer of MurmurHash3, then rotates the
## lanes by one (x2 becomes x1).  Each round can be undone whatever
## @code{f} is, so the network permutes 128-bit blocks: distinct
## (@var{master}, @var{k}, @var{g}, @var{b}) give distinct blocks.
##
## Errors: "Wrong number of input arguments.", "MASTER must be an integer
## from 0 to 2^53 - 1." and the same for K.
##
## @example
## function draws = job (k)      # in a file job.m on the path
##   samplekit_worker_seed (2026, k);
##   draws = exponential_draws (1, 1, 4);
## endfunction
##
## pkg load parallel
## parallel = parcellfun (2, @@job, @{1, 2, 3@}, "UniformOutput", false);
## isequal (parallel, cellfun (@@job, @{1, 2, 3@}, "UniformOutput", false))  # true
## @end example
## @seealso{rand, randn}
## @end deftypefn

## VARARGIN only lets a call with extra arguments reach the count check.
function states = samplekit_worker_seed (master, k, varargin)
  if (nargin != 2)
    error ("samplekit:samplekit_worker_seed:inputCount",
           "samplekit_worker_seed: Wrong number of input arguments.");
  endif
  master = seed_index (master, "MASTER");
  k = seed_index (k, "K");

  generators = {"rand", "randn", "rande", "randg", "randp"};
  block = repmat (0:155, 1, numel (generators));
  generator = repelem (0:numel (generators) - 1, 156);
  same = ones (size (block));
  lanes = feistel_blocks ([mod(master, 2^32) * same;
                           floor(master / 2^32) + 2^21 * generator + 2^24 * block;
                           mod(k, 2^32) * same; floor(k / 2^32) * same]);
  words = reshape (lanes, 624, numel (generators));
  states = uint32 ([2^31 * ones(1, numel (generators)); words(1:623, :); ones(1, numel (generators))]);
  for g = 1:numel (generators)
    feval (generators{g}, "state", states(:, g));
  endfor
endfunction

## VALUE as a double after checking it is a real integer in [0, 2^53).
## Integer classes are converted first: a uint64 above 2^53 rounds to at
## least 2^53 and is refused, never silently changed.
function value = seed_index (value, name)
  if (! (isnumeric (value) && isreal (value) && isscalar (value)))
    value = -1;
  else
    value = double (value);
  endif
  if (! (value >= 0 && value < flintmax () && value == fix (value)))
    error (sprintf ("samplekit:samplekit_worker_seed:%sRange", lower (name)),
           "samplekit_worker_seed: %s must be an integer from 0 to 2^53 - 1.", name);
  endif
endfunction

## Eight rounds of the four-lane Feistel network over the columns of
## LANES (4 x n, 32-bit words held exactly in doubles).
function lanes = feistel_blocks (lanes)
  for r = 1:8
    round_key = mod (r * 2654435769, 2^32);   # r times the golden ratio in 32 bits
    mixed = murmur_finalizer (bitxor (lanes(4, :), round_key));
    mixed = murmur_finalizer (bitxor (lanes(3, :), mixed));
    mixed = murmur_finalizer (bitxor (lanes(2, :), mixed));
    lanes = [lanes(2:4, :); bitxor(lanes(1, :), mixed)];
  endfor
endfunction

## MurmurHash3's 32-bit finalizer: a bijection of 32-bit words in which
## every input bit changes each output bit with probability about 1/2.
function h = murmur_finalizer (h)
  h = bitxor (h, bitshift (h, -16));
  h = times_mod_2_32 (h, 2246822507);   # 0x85EBCA6B
  h = bitxor (h, bitshift (h, -13));
  h = times_mod_2_32 (h, 3266489909);   # 0xC2B2AE35
  h = bitxor (h, bitshift (h, -16));
endfunction

## (H * C) mod 2^32 for 32-bit H and C, exact in doubles: C is split into
## 16-bit halves so that no product reaches 2^53.
function p = times_mod_2_32 (h, c)
  c_low = mod (c, 65536);
  c_high = (c - c_low) / 65536;
  p = mod (mod (h * c_low, 2^32) + mod (h * c_high, 65536) * 65536, 2^32);
endfunction

%!function guard = saved_generators ()
%!  names = {"rand", "randn", "rande", "randg", "randp"};
%!  saved = cellfun (@(g) feval (g, "state"), names, "UniformOutput", false);
%!  guard = onCleanup (@() cellfun (@(g, s) feval (g, "state", s), names, saved));
%!endfunction

%!test
%! ## Words pinned from an independent implementation of the construction
%! ## described above: a change to it changes every user's streams.
%! guard = saved_generators ();
%! names = {"rand", "randn", "rande", "randg", "randp"};
%! pinned = {0, 0, 1, 2:5, [2106009773 3951536548 4288892091 1991733925];
%!           0, 0, 5, 622:624, [1577239825 1169547405 2489502221];
%!           2026, 7, 1, 2:5, [3649979521 2277734865 2424069670 705569153];
%!           2^53-1, 2^53-1, 5, 2:5, [797396902 1701701899 2314012500 348609416]};
%! for c = 1:rows (pinned)
%!   [master, k, g, words, expected] = pinned(c, :){:};
%!   states = samplekit_worker_seed (master, k);
%!   assert (double (states(words, g))', expected);
%!   assert (states([1 625], :), repmat (uint32 ([2^31; 1]), 1, 5));
%!   assert (cellfun (@(g) feval (g, "state"), names, "UniformOutput", false), num2cell (states, 1));
%! endfor
%! ## Any class, any earlier state: the same pair gives the same draws.
%! rand ("seed", 3);
%! samplekit_worker_seed (int32 (2026), uint8 (7));
%! first = [rand(1, 3), randn(1, 3), randg(2, 1, 3)];
%! rand ("state", 99);
%! samplekit_worker_seed (2026, 7);
%! assert ([rand(1, 3), randn(1, 3), randg(2, 1, 3)], first);

%!test
%! ## Distinct pairs, neighbouring and at the ends of the range (where a
%! ## lane boundary or a carry could merge them), give distinct states.
%! guard = saved_generators ();
%! [master, k] = ndgrid ([0, 1, 2^32 - 1, 2^32, 2^53 - 1]);
%! states = arrayfun (@(m, j) samplekit_worker_seed (m, j)(2:624, :), master(:), k(:),
%!                    "UniformOutput", false);
%! words = [states{:}];
%! assert (rows (unique (words', "rows")), columns (words));
%! ## The first uniforms of jobs 1 to 300 are spread like uniforms
%! ## (Dvoretzky-Kiefer-Wolfowitz band, false-alarm rate 0.001).
%! n = 300;
%! u = zeros (n, 1);
%! for j = 1:n
%!   samplekit_worker_seed (2026, j);
%!   u(j) = rand ();
%! endfor
%! u = sort (u);
%! assert (max ([(1:n)' / n - u; u - (0:n-1)' / n]) < sqrt (log (2 / 0.001) / (2 * n)));

## Mended: the messages now carry the function's name, as every other does.
%!error <^samplekit_worker_seed: Wrong number of input arguments\.> samplekit_worker_seed (1)
%!error <^samplekit_worker_seed: Wrong number of input arguments\.> samplekit_worker_seed (1, 2, 3)
%!test
%! ## Every value outside the integers 0 to 2^53 - 1 is refused, and the
%! ## generators are left as they were.
%! state = rand ("state");
%! for bad = {-1, 0.5, NaN, Inf, 2^53, uint64(2^53), "a", true, [1 2], [], 1i, {1}}
%!   for at = 1:2
%!     args = {3, 3};
%!     args(at) = bad;
%!     err = struct ("message", "accepted");
%!     try, samplekit_worker_seed (args{:}); catch err, end_try_catch
%!     assert (err.message, ["samplekit_worker_seed: " {"MASTER", "K"}{at} " must be an integer from 0 to 2^53 - 1."]);
%!   endfor
%! endfor
%! assert (rand ("state"), state);
