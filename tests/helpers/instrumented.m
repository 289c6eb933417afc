## TF = instrumented ()
## TF = instrumented (SKIPPING)
## True when the suite runs under AddressSanitizer or valgrind. Their
## allocators slow Octave's own interpreter many times over and hide
## resident memory, so long seeded loops shrink there, and a block that
## cannot run there at all is skipped with "%!testif ; ! instrumented
## (SKIPPING)": it prints one line naming SKIPPING and the cause, and the
## suite counts the block as skipped, not passed.
function tf = instrumented (skipping)
  tf = ! isempty (regexp (getenv ("LD_PRELOAD"), "asan|vgpreload", "once"));
  if (tf && nargin > 0)
    printf ("skipped %s: under the sanitizer or valgrind\n", skipping);
  endif
endfunction
