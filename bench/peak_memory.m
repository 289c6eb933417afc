## octave-cli peak_memory.m 'EXPRESSION'
## Prints the peak resident memory of one evaluation of EXPRESSION beyond
## its result, in a fresh process (so no freed memory is reused unseen) and
## after a small warm-up call of the same function: the Linux high-water
## mark is reset through /proc/self/clear_refs just before. Run by
## bench/run_bench.m.

1;

function kb = status_kb (field)
  text = fileread ("/proc/self/status");
  kb = str2double (regexp (text, [field ":\\s*(\\d+)"], "tokens", "once"){1});
endfunction

addpath (fullfile (fileparts (fileparts (mfilename ("fullpath"))), "build"));
expression = argv (){end};
warm_up = regexprep (expression, "1e6", "10");
eval ([warm_up ";"]);
fid = fopen ("/proc/self/clear_refs", "w");
if (fid < 0)
  printf ("%-42s (no /proc/self/clear_refs here)\n", expression);
  exit (0);
endif
fputs (fid, "5");
fclose (fid);
before = status_kb ("VmRSS");
y = eval (expression);
beyond = (status_kb ("VmHWM") - before) / 1024 - numel (y) * 8 / 2^20;
printf ("peak memory beyond the result: %-38s %5.1f MB\n", expression, beyond);
