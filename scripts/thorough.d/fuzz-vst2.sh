#!/usr/bin/env bash
# Runs the two VST2 fuzz targets (random state chunks; random dispatcher request sequences) for
# about a minute each under AddressSanitizer and UndefinedBehaviorSanitizer (the linux-asan
# build). Prints the executions of each; fails on any crash, abort, sanitizer report or time-out.
set -uo pipefail
cd "$(dirname "$0")/../.."
build=${FUZZ_VST2_BUILD:-build/linux-asan}
seconds=${FUZZ_VST2_SECONDS:-60}
failed=0
for name in fuzz_vst2_chunks fuzz_vst2_dispatcher; do
    fuzzer=$build/bin/$name
    if [ ! -x "$fuzzer" ]; then
        echo "fuzz-vst2: $fuzzer is missing (build the linux-asan preset first)"
        failed=1
        continue
    fi
    corpus=$build/$name-corpus
    mkdir -p "$corpus"
    log=$build/$name.log
    "$fuzzer" "$corpus" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/$name-" >"$log" 2>&1
    status=$?
    runs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}')
    echo "fuzz-vst2: $name ${runs:-0} executions in ${seconds} s, corpus $(ls "$corpus" | wc -l) inputs"
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log"
        echo "fuzz-vst2: $name found a fault (exit $status); the input is in $build/$name-*"
        failed=1
    fi
done
exit $failed
