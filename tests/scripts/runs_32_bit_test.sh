#!/usr/bin/env bash
# harpix_runs_32_bit (scripts/wine-env), which decides whether the 32-bit tiers run: yes with
# Wine's own 32-bit loader where the kernel runs 32-bit programs, and no, with the kernel's
# reason, for a loader the kernel refuses. A wrong no would skip the release's tier and pass.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env"
failed=0

# The kernel runs 32-bit programs where it has their system-call table, which this file shows.
if [ -e /proc/sys/abi/vsyscall32 ] && [ -x /usr/lib/wine/wine ]; then
  if ! why="$(harpix_runs_32_bit)"; then
    echo "FAIL: no for /usr/lib/wine/wine on a kernel that runs 32-bit programs: $why"
    failed=1
  fi
else
  echo "note: no 32-bit kernel support or no wine32 here; the yes is not checked"
fi

# A copy of a real program whose ELF header names a machine that no kernel runs.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
refused="$scratch/loader"
cp /bin/true "$refused"
printf '\xff\xff' | dd of="$refused" bs=1 seek=18 conv=notrunc status=none
if why="$(harpix_runs_32_bit "$refused")"; then
  echo "FAIL: yes for a loader with a bad machine field"
  failed=1
elif [ "$why" != "$refused: Exec format error" ]; then
  echo "FAIL: the reason given is '$why'"
  failed=1
fi
exit "$failed"
