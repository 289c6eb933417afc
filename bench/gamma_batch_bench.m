## The batched gamma kernel against rand_gamma one element at a time, on the
## same uniforms drawn beforehand, one thread: nanoseconds of processor time
## per element, medians of interleaved runs (BENCH_RUNS, default 7). Checks
## that both give the same bits and take the same uniforms.
## Run with: make bench-gamma. Instruction counts of one method:
##   valgrind --tool=callgrind --toggle-collect='run_batched*' \
##     octave-cli --no-history -q --eval "addpath build/bench; \
##     gamma_batch_bench ('batched', 2.5, rand (4e6, 1), 1e6);"
## (run_per_value* and 'per_value' for the other.)

root = fileparts (fileparts (mfilename ("fullpath")));
addpath (fullfile (root, "build", "bench"));
runs = str2double (getenv ("BENCH_RUNS"));
runs(isnan (runs)) = 7;
rand ("state", 1);
n = 1e6;
## {shape, what it stands for}
shapes = {2.5, "scaled_invchi2_draws (2, 5, ...)";
          2,   "student_t_draws (4, ...)";
          0.5, "the boost, shapes up to 1"};
printf ("%-34s %6s %12s %10s %8s\n", "shape", "a", "per value", "batched", "ratio");
for k = 1:rows (shapes)
  a = shapes{k, 1};
  u = rand (ceil (7 * n), 1);
  ns = zeros (2, runs);
  for r = 1:runs
    [ns(1, r), one_by_one, used_one] = gamma_batch_bench ("per_value", a, u, n);
    [ns(2, r), batched, used_batched] = gamma_batch_bench ("batched", a, u, n);
  endfor
  if (! isequal (typecast (one_by_one, "uint64"), typecast (batched, "uint64")) || used_one != used_batched)
    error ("gamma_batch_bench: the methods differ for shape %g", a);
  endif
  t = median (ns, 2);
  printf ("%-34s %6g %9.1f ns %7.1f ns %8.2f\n", shapes{k, 2}, a, t(1), t(2), t(2) / t(1));
endfor
