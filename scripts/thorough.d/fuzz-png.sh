#!/usr/bin/env bash
# Feeds the PNG decoder arbitrary bytes for about a minute under AddressSanitizer and
# UndefinedBehaviorSanitizer (the linux-asan build), starting from the editor's smaller images.
# Prints the number of executions; fails on any crash, leak, sanitizer report or time-out.
set -uo pipefail
cd "$(dirname "$0")/../.."
build=${FUZZ_PNG_BUILD:-build/linux-asan}
fuzzer=$build/bin/fuzz_png
seconds=${FUZZ_PNG_SECONDS:-60}
if [ ! -x "$fuzzer" ]; then
    echo "fuzz-png: $fuzzer is missing (build the linux-asan preset first)"
    exit 1
fi
corpus=$build/fuzz-png-corpus
mkdir -p "$corpus"
for image in resources/img/*.png; do
    [ -e "$image" ] || continue
    # Large strips make slow inputs; the small images carry every chunk kind the editor uses.
    if [ "$(stat -c %s "$image")" -le 16384 ]; then
        cp -f "$image" "$corpus/"
    fi
done
log=$build/fuzz-png.log
# libpng reports every rejected input on stderr; the log keeps it out of the CI output.
"$fuzzer" "$corpus" -max_total_time="$seconds" -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/fuzz-png-" >"$log" 2>&1
status=$?
runs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}')
echo "fuzz-png: ${runs:-0} executions in ${seconds} s, corpus $(ls "$corpus" | wc -l) inputs"
if [ "$status" -ne 0 ]; then
    grep -v '^libpng' "$log" | tail -n 60
    echo "fuzz-png: the fuzzer found a fault (exit $status); the input is in $build/fuzz-png-*"
    exit 1
fi
