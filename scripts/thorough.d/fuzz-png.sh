#!/usr/bin/env bash
# Feeds the PNG decoder arbitrary bytes for 10 seconds under AddressSanitizer and
# UndefinedBehaviorSanitizer (the linux-asan build), starting from the editor's smaller images and
# the hand-made inputs of fuzz/png/seeds. Any single allocation above 128 MiB is a fault: the
# largest image the decoder accepts needs 64 MiB, so more means a length field drove an allocation.
set -uo pipefail
cd "$(dirname "$0")/../.."
seeds=(fuzz/png/seeds)
for image in resources/img/*.png; do
    # Large strips make slow inputs; the small images carry every chunk kind the editor uses.
    [ -e "$image" ] && [ "$(stat -c %s "$image")" -le 16384 ] && seeds+=("$image")
done
FUZZ_BUILD=${FUZZ_PNG_BUILD:-build/linux-asan} FUZZ_SECONDS=${FUZZ_PNG_SECONDS:-10} \
    FUZZ_RUNS=${FUZZ_PNG_RUNS:--1} FUZZ_MALLOC_LIMIT_MB=128 \
    bash scripts/fuzz-target.sh fuzz_png 16384 "${seeds[@]}"
