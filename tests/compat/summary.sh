# Sourced by run_compat.
# suite_counts LOG prints "PASSED FAILED" for one suite's log: the sums of
# its steps' "compat: STEP: N passed, M failed (S s)" lines (the plain
# summary lines in the steps' own output are not counted again). A suite
# that did not end with "compat: status 0" while no step failed (a chroot
# not made, a step cut short), or in which no step ran, is one failure.
suite_counts() {
  local counts
  counts=$(sed -nE 's/^compat: .*: ([0-9]+) passed, ([0-9]+) failed(, [0-9]+ skipped)? \([0-9]+ s\)$/\1 \2/p' "$1" |
    awk '{ p += $1; f += $2 } END { print p + 0, f + 0 }')
  if [ "$counts" = "0 0" ] || { [ "${counts#* }" = 0 ] && ! grep -qx 'compat: status 0' "$1"; }; then
    counts="${counts% *} 1"
  fi
  echo "$counts"
}
