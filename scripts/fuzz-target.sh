#!/usr/bin/env bash
# Runs one libFuzzer target of a sanitizer build (default build/linux-asan) and reports its
# executions and wall time; fails on any crash, leak, sanitizer report, time-out or oversized
# allocation, and leaves the input in the build folder.
#   scripts/fuzz-target.sh NAME MAX_LEN [SEED ...]     (seeds: files or folders copied into the corpus)
# FUZZ_SECONDS (default 60) and FUZZ_RUNS (default unlimited) bound the run, whichever comes first;
# FUZZ_BUILD picks the build folder; FUZZ_MALLOC_LIMIT_MB (default 2048) fails any single
# allocation above it.
set -uo pipefail
cd "$(dirname "$0")/.."
name=$1
max_len=$2
shift 2
build=${FUZZ_BUILD:-build/linux-asan}
seconds=${FUZZ_SECONDS:-60}
runs=${FUZZ_RUNS:--1}
fuzzer=$build/bin/$name
if [ ! -x "$fuzzer" ]; then
    echo "$name: $fuzzer is missing (build the linux-asan preset first)"
    exit 1
fi
corpus=$build/$name-corpus
mkdir -p "$corpus"
for seed in "$@"; do
    if [ -d "$seed" ]; then
        cp -f "$seed"/* "$corpus/" 2>/dev/null
    elif [ -e "$seed" ]; then
        cp -f "$seed" "$corpus/"
    fi
done

# Freed blocks wait in the sanitizer's quarantine before reuse; a smaller one keeps a long run's
# resident size about the code under test rather than the sanitizer's bookkeeping.
export ASAN_OPTIONS="quarantine_size_mb=64:malloc_context_size=10${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
log=$build/$name.log
start=$SECONDS
"$fuzzer" "$corpus" -max_total_time="$seconds" -runs="$runs" -max_len="$max_len" -timeout=10 \
    -rss_limit_mb=2048 -malloc_limit_mb="${FUZZ_MALLOC_LIMIT_MB:-2048}" -print_final_stats=1 \
    -artifact_prefix="$build/$name-" >"$log" 2>&1
status=$?
executed=$(grep -E '^stat::number_of_executed_units' "$log" | tail -n 1 | awk '{print $2}')
peak=$(grep -E '^stat::peak_rss_mb' "$log" | tail -n 1 | awk '{print $2}')
echo "$name: ${executed:-0} executions in $((SECONDS - start)) s, peak ${peak:-?} MB," \
    "corpus $(find "$corpus" -type f | wc -l) inputs"
if [ "$status" -ne 0 ]; then
    tail -n 60 "$log"
    echo "$name: the fuzzer found a fault (exit $status); the input is in $build/$name-*"
    exit 1
fi
