#!/usr/bin/env bash
# Sets up the machine, builds both plug-ins and runs every test of both builds.
# Thorough mode (on in CI, or with --thorough) adds the sanitizer build, the fuzzers, the
# thread-sanitizer battery and the valgrind battery.
set -uo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

thorough=0
[ "${CI:-}" = "true" ] && thorough=1
for a in "$@"; do [ "$a" = "--thorough" ] && thorough=1; [ "$a" = "--quick" ] && thorough=0; done

start=$(date +%s)
bash scripts/setup.sh || { echo "setup failed"; exit 1; }

# LeakSanitizer cannot work under a tracer (strace in the fresh-machine check): there the sanitizer
# builds run without their leak checks, and the run says so.
if [ "$(awk '/^TracerPid:/ {print $2}' /proc/self/status)" != 0 ]; then
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
    echo "note: this run is traced, so the sanitizer builds check no leaks"
fi

passed=0
failed=0
failures=()

# Each heading carries the seconds since the run began, so a slow stage shows itself.
note() { printf '\n=== [%d s] %s\n' "$(($(date +%s) - start))" "$*"; }
fail() { failed=$((failed + 1)); failures+=("$1"); echo "FAILED: $1"; }

# Runs one CTest preset and adds its counts to the totals.
run_ctest() {
    local preset=$1 log="$root/build/ctest-$1.log"
    ctest --preset "$preset" 2>&1 | tee "$log"
    local line
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    if [ -z "$line" ]; then
        fail "ctest $preset (no result)"
        return
    fi
    local total bad
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.*, ([0-9]+) tests? failed.*/\1/' <<<"$line")
    passed=$((passed + total - bad))
    if [ "$bad" -gt 0 ]; then
        failed=$((failed + bad))
        failures+=("ctest $preset: $bad failed")
    fi
}

# Configures and builds one preset; the caller reports a failure.
configure_and_build() {
    local preset=$1
    if ! cmake --preset "$preset" >"$root/build/configure-$preset.log" 2>&1; then
        cat "$root/build/configure-$preset.log"
        return 1
    fi
    cmake --build --preset "$preset" -- -k 0
}

build_preset() {
    note "configure and build: $1"
    configure_and_build "$1" || { fail "build $1"; return 1; }
}

# The next build runs while the tests of the last one do, at the lowest priority: the tests keep
# the processors they need (many of them wait on windows, Wine or Ardour) and the build takes
# what is left. Its output goes to build/build-PRESET.log.
background_pid=
background_preset=
start_background_build() {
    background_preset=$1
    shift
    note "build in the background: $background_preset"
    (
        renice -n 19 "$BASHPID" >/dev/null
        "$@"
    ) >"$root/build/build-$background_preset.log" 2>&1 &
    background_pid=$!
}
finish_background_build() {
    local preset=$background_preset log="$root/build/build-$background_preset.log"
    if wait "$background_pid"; then
        note "built: $preset"
        tail -n 2 "$log"
        return 0
    fi
    grep -E -B2 -A8 'error|FAILED' "$log" | head -n 80
    fail "build $preset (build/build-$preset.log)"
    return 1
}

mkdir -p build

note "format check"
if git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run -Werror >build/format.log 2>&1; then
    passed=$((passed + 1))
else
    head -n 40 build/format.log
    fail "clang-format"
fi

# The editor-window tests of both builds (Linux natively, Windows under Wine) open windows: a
# virtual display stands in. It stays up for the thorough batteries too and goes at the end.
source scripts/virtual-display.sh
trap stop_virtual_display EXIT
if ! start_virtual_display; then
    fail "virtual display for the editor-window tests"
fi

# Every thorough battery's ThreadSanitizer runs (scripts/thorough.d/editor.sh, validation.sh)
# use these targets of the linux-tsan build.
tsan_targets=(editor_tests editor_window_tests validation_battery Crescenda CrescendaRtChecks)

linux_built=0
build_preset linux && linux_built=1
start_background_build win64 configure_and_build win64
[ "$linux_built" = 1 ] && run_ctest linux

win64_built=0
finish_background_build && win64_built=1
[ "$thorough" = 1 ] && start_background_build linux-asan configure_and_build linux-asan
[ "$win64_built" = 1 ] && run_ctest win64
# The Wine server of the build's private prefix, not the user's own.
WINEPREFIX="$root/build/win64/wineprefix" wineserver -k >/dev/null 2>&1 || true

if [ "$thorough" = 1 ]; then
    asan_built=0
    finish_background_build && asan_built=1
    start_background_build linux-tsan \
        bash scripts/build-targets.sh linux-tsan "$root/build/linux-tsan" "${tsan_targets[@]}"
    [ "$asan_built" = 1 ] && run_ctest linux-asan
    # The batteries build what is missing themselves and report a failed build.
    wait "$background_pid" || true
    for extra in scripts/thorough.d/*.sh; do
        [ -e "$extra" ] || continue
        note "thorough: $extra"
        if bash "$extra"; then passed=$((passed + 1)); else fail "$extra"; fi
    done
fi

stop_virtual_display

note "summary ($(( $(date +%s) - start )) s)"
for f in "${failures[@]}"; do echo "  failed: $f"; done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
