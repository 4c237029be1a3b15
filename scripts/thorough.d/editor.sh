#!/usr/bin/env bash
# CI's further runs of the editor tests: under ThreadSanitizer (the host sets parameters, switches
# presets and restores chunks while the window ticks; the editor window idles beside audio,
# parameter and state threads) and under valgrind memcheck (every instance, every window opened
# and closed, and the loaded and unloaded plug-in binaries leave nothing behind). Run by
# scripts/test.sh in thorough mode after the linux build exists, with its virtual display; without
# a display the editor-window tests skip themselves and say so.
set -uo pipefail
cd "$(dirname "$0")/../.."
root="$PWD"
linux_dir=${CRESCENDA_EDITOR_LINUX_DIR:-$root/build/linux}
tsan_dir=${CRESCENDA_EDITOR_TSAN_DIR:-$root/build/linux-tsan}
failures=()
suites=(editor_tests editor_window_tests)
# The scaled-artwork checks resample every knob frame twice (the editor and an independent
# reference): a minute or more each under the checkers, for one thread's arithmetic the sanitizer
# build's run already covers.
skip=--gtest_filter=-EditorScale.TheCanvasShowsTheScaledArtworkAtTheScaledPlaces:X11EditorAtDisplayDpi.*

# Builds the editor suites and the plug-ins they load in one build folder.
build_editor_tests() {
    bash "$root/scripts/build-targets.sh" "$1" "$2" "${suites[@]}" Crescenda CrescendaRtChecks
}

[ -n "${DISPLAY:-}" ] || echo "editor: no DISPLAY; the editor-window tests skip themselves"

printf '\n--- editor: ThreadSanitizer (linux-tsan)\n'
if build_editor_tests linux-tsan "$tsan_dir"; then
    for suite in "${suites[@]}"; do
        TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" "$tsan_dir/bin/$suite" \
            --gtest_brief=1 "$skip" || failures+=("$suite under ThreadSanitizer")
    done
else
    failures+=("build linux-tsan")
fi

printf '\n--- editor: valgrind memcheck (linux)\n'
if build_editor_tests linux "$linux_dir"; then
    for suite in "${suites[@]}"; do
        bash "$root/scripts/memcheck.sh" "$linux_dir/bin/$suite" --gtest_brief=1 "$skip" ||
            failures+=("$suite under valgrind")
    done
else
    failures+=("build linux")
fi

if [ ${#failures[@]} -gt 0 ]; then
    printf 'editor: failed: %s\n' "${failures[@]}"
    exit 1
fi
echo "editor: ThreadSanitizer and valgrind runs passed"
