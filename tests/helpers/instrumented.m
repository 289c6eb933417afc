## TF = instrumented ()
## True when the suite runs under AddressSanitizer or valgrind. Their
## allocators slow Octave's own interpreter many times over and hide
## resident memory, so long seeded loops shrink there and memory checks are
## skipped. Two paths run only in the other builds: the ARS warning after
## 10,000 rejections and the beta draw's trial cap, each minutes there.
function tf = instrumented ()
  tf = ! isempty (regexp (getenv ("LD_PRELOAD"), "asan|vgpreload", "once"));
endfunction
