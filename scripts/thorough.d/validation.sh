#!/usr/bin/env bash
# CI's run of the validation battery: the thorough battery on the Linux build and the Win64 build
# (under Wine), the battery under ThreadSanitizer, and the quick battery under valgrind memcheck.
# Run by scripts/test.sh in thorough mode after the linux and win64 builds exist.
set -uo pipefail
cd "$(dirname "$0")/../.."
root="$PWD"
failures=()

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

# Builds what the battery needs in one build folder, configuring it first if it is new.
build_battery() {
    local preset=$1 dir=$root/build/$1
    if [ ! -f "$dir/build.ninja" ]; then
        cmake --preset "$preset" >"$root/build/configure-$preset.log" 2>&1 ||
            { cat "$root/build/configure-$preset.log"; return 1; }
    fi
    cmake --build "$dir" --target validation_battery Crescenda -- -j2
}

step "thorough battery, linux"
if build_battery linux; then
    timed "thorough battery (linux)" env CRESCENDA_VALIDATION=thorough \
        "$root/build/linux/bin/validation_battery" --gtest_brief=1
else
    failures+=("build linux")
fi

step "thorough battery, win64 under Wine"
if build_battery win64; then
    xvfb_pid=""
    if [ -z "${DISPLAY:-}" ]; then
        Xvfb :74 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        export DISPLAY=:74
    fi
    timed "thorough battery (win64)" env CRESCENDA_VALIDATION=thorough \
        "$root/scripts/wine-run.sh" "$root/build/win64/bin/validation_battery.exe" --gtest_brief=1
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1
else
    failures+=("build win64")
fi

# Every race report fails the run; the thread checks also run with thorough iterations here.
step "ThreadSanitizer battery (linux-tsan)"
if build_battery linux-tsan; then
    export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1"
    timed "TSan battery (quick)" env CRESCENDA_VALIDATION_TIMING=off \
        "$root/build/linux-tsan/bin/validation_battery" --gtest_brief=1
    timed "TSan thread checks (thorough)" env CRESCENDA_VALIDATION=thorough \
        "$root/build/linux-tsan/bin/validation_battery" --gtest_brief=1 --gtest_filter='Threads.*'
    unset TSAN_OPTIONS
else
    failures+=("build linux-tsan")
fi

# Quick mode: the thorough grid would take far longer under memcheck. Timing means nothing there.
step "valgrind memcheck battery (quick mode, linux build)"
timed "valgrind battery (quick)" env CRESCENDA_VALIDATION_TIMING=off \
    valgrind -q --error-exitcode=1 --leak-check=full --keep-debuginfo=yes \
    --suppressions="$root/tests/validation/valgrind.supp" \
    "$root/build/linux/bin/validation_battery" --gtest_brief=1

if [ ${#failures[@]} -gt 0 ]; then
    printf 'validation: failed: %s\n' "${failures[@]}"
    exit 1
fi
echo "validation: every battery passed"
