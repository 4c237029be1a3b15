#!/usr/bin/env bash
# CI's run of the validation battery: the thorough battery on the Linux build and the Win64 build
# (under Wine), the battery under ThreadSanitizer, and the quick battery under valgrind memcheck.
# Run by scripts/test.sh in thorough mode after the linux and win64 builds exist.
set -uo pipefail
cd "$(dirname "$0")/../.."
root="$PWD"
failures=()
# Build folders (overridable, so the script can be tried beside builds others are using).
linux_dir=${CRESCENDA_VALIDATION_LINUX_DIR:-$root/build/linux}
win64_dir=${CRESCENDA_VALIDATION_WIN64_DIR:-$root/build/win64}
tsan_dir=${CRESCENDA_VALIDATION_TSAN_DIR:-$root/build/linux-tsan}

step() { printf '\n--- validation: %s\n' "$*"; }
timed() {
    local name=$1
    shift
    local start=$SECONDS
    if "$@"; then
        echo "validation: $name passed in $((SECONDS - start)) s"
    else
        echo "validation: $name FAILED after $((SECONDS - start)) s"
        failures+=("$name")
    fi
}

# Builds what the battery needs in one build folder.
build_battery() {
    bash "$root/scripts/build-targets.sh" "$1" "$2" validation_battery Crescenda
}

step "thorough battery, linux"
if build_battery linux "$linux_dir"; then
    timed "thorough battery (linux)" env CRESCENDA_VALIDATION=thorough \
        "$linux_dir/bin/validation_battery" --gtest_brief=1
else
    failures+=("build linux")
fi

step "thorough battery, win64 under Wine"
if build_battery win64 "$win64_dir"; then
    source "$root/scripts/virtual-display.sh"
    if start_virtual_display; then
        timed "thorough battery (win64)" env CRESCENDA_VALIDATION=thorough \
            "$root/scripts/wine-run.sh" "$win64_dir/bin/validation_battery.exe" --gtest_brief=1
        stop_virtual_display
    else
        failures+=("virtual display")
    fi
else
    failures+=("build win64")
fi

# Every race report fails the run; the thread checks also run with thorough iterations here.
step "ThreadSanitizer battery (linux-tsan)"
if build_battery linux-tsan "$tsan_dir"; then
    export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1"
    timed "TSan battery (quick)" env CRESCENDA_VALIDATION_TIMING=off \
        "$tsan_dir/bin/validation_battery" --gtest_brief=1
    timed "TSan thread checks (thorough)" env CRESCENDA_VALIDATION=thorough \
        "$tsan_dir/bin/validation_battery" --gtest_brief=1 --gtest_filter='Threads.*'
    unset TSAN_OPTIONS
else
    failures+=("build linux-tsan")
fi

# Quick mode: the thorough grid would take far longer under memcheck. Timing means nothing there.
step "valgrind memcheck battery (quick mode, linux build)"
timed "valgrind battery (quick)" env CRESCENDA_VALIDATION_TIMING=off \
    bash "$root/scripts/memcheck.sh" \
    "$linux_dir/bin/validation_battery" --gtest_brief=1

if [ ${#failures[@]} -gt 0 ]; then
    printf 'validation: failed: %s\n' "${failures[@]}"
    exit 1
fi
echo "validation: every battery passed"
