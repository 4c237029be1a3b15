#!/usr/bin/env bash
# Runs the VST3 state fuzz target (random component states through a host stream) for 10
# seconds under AddressSanitizer and UndefinedBehaviorSanitizer (the linux-asan build). Fails on
# any crash, abort, sanitizer report or time-out.
set -uo pipefail
cd "$(dirname "$0")/../.."
FUZZ_BUILD=${FUZZ_VST3_BUILD:-build/linux-asan} FUZZ_SECONDS=${FUZZ_VST3_SECONDS:-10} \
    FUZZ_RUNS=${FUZZ_VST3_RUNS:--1} bash scripts/fuzz-target.sh fuzz_vst3_state 4096
