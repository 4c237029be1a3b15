#!/usr/bin/env bash
# Runs the CLAP state-stream fuzz target for 10 seconds under AddressSanitizer and
# UndefinedBehaviorSanitizer (the linux-asan build). Fails on any crash, abort, sanitizer report
# or time-out.
set -uo pipefail
cd "$(dirname "$0")/../.."
FUZZ_BUILD=${FUZZ_CLAP_BUILD:-build/linux-asan} FUZZ_SECONDS=${FUZZ_CLAP_SECONDS:-10} \
    FUZZ_RUNS=${FUZZ_CLAP_RUNS:--1} exec bash scripts/fuzz-target.sh fuzz_clap_state 4096
