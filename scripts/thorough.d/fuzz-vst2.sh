#!/usr/bin/env bash
# Runs the two VST2 fuzz targets (random state chunks; random dispatcher request sequences) for
# 10 seconds each under AddressSanitizer and UndefinedBehaviorSanitizer (the linux-asan
# build). Fails on any crash, abort, sanitizer report or time-out.
set -uo pipefail
cd "$(dirname "$0")/../.."
failed=0
for name in fuzz_vst2_chunks fuzz_vst2_dispatcher; do
    FUZZ_BUILD=${FUZZ_VST2_BUILD:-build/linux-asan} FUZZ_SECONDS=${FUZZ_VST2_SECONDS:-10} \
        FUZZ_RUNS=${FUZZ_VST2_RUNS:--1} bash scripts/fuzz-target.sh "$name" 4096 || failed=1
done
exit $failed
