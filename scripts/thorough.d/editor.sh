#!/usr/bin/env bash
# CI's further runs of the editor tests: under ThreadSanitizer (the host sets parameters, switches
# presets and restores chunks while the window ticks) and under valgrind memcheck (every instance
# and the loaded and unloaded plug-in binary leave nothing behind). Run by scripts/test.sh in
# thorough mode after the linux build exists.
set -uo pipefail
cd "$(dirname "$0")/../.."
root="$PWD"
linux_dir=${CRESCENDA_EDITOR_LINUX_DIR:-$root/build/linux}
tsan_dir=${CRESCENDA_EDITOR_TSAN_DIR:-$root/build/linux-tsan}
failures=()

# Builds the editor tests and the plug-in in one build folder, configuring it first if it is new.
build_editor_tests() {
    local preset=$1 dir=$2
    if [ ! -f "$dir/build.ninja" ]; then
        cmake --preset "$preset" -B "$dir" >"$root/build/configure-$preset.log" 2>&1 ||
            { cat "$root/build/configure-$preset.log"; return 1; }
    fi
    cmake --build "$dir" --target editor_tests Crescenda -- -j2
}

printf '\n--- editor: ThreadSanitizer (linux-tsan)\n'
if build_editor_tests linux-tsan "$tsan_dir"; then
    TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" "$tsan_dir/bin/editor_tests" \
        --gtest_brief=1 || failures+=("editor tests under ThreadSanitizer")
else
    failures+=("build linux-tsan")
fi

printf '\n--- editor: valgrind memcheck (linux)\n'
if build_editor_tests linux "$linux_dir"; then
    valgrind -q --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite,indirect,possible \
        "$linux_dir/bin/editor_tests" --gtest_brief=1 || failures+=("editor tests under valgrind")
else
    failures+=("build linux")
fi

if [ ${#failures[@]} -gt 0 ]; then
    printf 'editor: failed: %s\n' "${failures[@]}"
    exit 1
fi
echo "editor: ThreadSanitizer and valgrind runs passed"
