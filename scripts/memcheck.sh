#!/usr/bin/env bash
# Runs a test program under valgrind memcheck the one way CI's batteries do: every leak kind but
# "still reachable" is an error, and the debug information of unloaded plug-ins is kept so the
# suppressions can match them. Fair scheduling hands the CPU to threads in turn: without it a
# thread that takes and drops a lock in a tight loop can starve the others under valgrind's
# one-thread-at-a-time scheduler for many minutes. The time limit makes a hang a failure that
# names itself instead of a stalled CI run.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
limit=${CRESCENDA_MEMCHECK_SECONDS:-600}
timeout --kill-after=10 "$limit" valgrind -q --error-exitcode=1 --fair-sched=yes \
    --leak-check=full --keep-debuginfo=yes --errors-for-leak-kinds=definite,indirect,possible \
    --suppressions="$root/tests/validation/valgrind.supp" "$@"
status=$?
[ "$status" -eq 124 ] || [ "$status" -eq 137 ] &&
    echo "memcheck: $(basename "$1") did not finish within $limit s"
exit "$status"
