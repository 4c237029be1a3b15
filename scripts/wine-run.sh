#!/usr/bin/env bash
# Runs a Windows executable under Wine with a private prefix inside the build folder and Wine's
# own chatter silenced. CTest uses it as the cross-compiling emulator. When Wine cannot start, it
# says so in one line and exits 127, so every Windows test fails with the reason rather than a
# shell error. `wine-run.sh --prepare-only` sets the prefix up and runs nothing.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
base_prefix="$here/build/win64/wineprefix"
export WINEPREFIX="${CRESCENDA_WINEPREFIX:-$base_prefix}"
export WINEDEBUG=-all
# No debugger on a crash: with no one to answer it, it would hold the crashed program forever.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d;winedbg.exe=d"
export WINEARCH=win64

cannot_start() {
    echo "wine-run: Wine cannot start: $*" >&2
    exit 127
}

for program in wine wineserver wineboot; do
    command -v "$program" >/dev/null 2>&1 || cannot_start "$program is not on the PATH (scripts/setup.sh installs the wine package)"
done
# Tests run in parallel: the first to find the prefix missing (or its settings unset) makes it
# while the others wait, so no two boot one prefix at once.
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.setup-lock"
flock 9
if [ ! -f "$WINEPREFIX/system.reg" ] && [ "$WINEPREFIX" != "$base_prefix" ]; then
    # Another prefix (another DPI) starts as a copy of the build's own, made first if need be:
    # copying takes a second where booting takes twenty.
    CRESCENDA_WINEPREFIX="$base_prefix" CRESCENDA_WINE_DPI='' bash "$0" --prepare-only
    rm -rf "$WINEPREFIX"
    cp -a "$base_prefix" "$WINEPREFIX"
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    boot_output=$(wineboot -i 2>&1) || true
    wineserver -w || true
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        cannot_start "wineboot did not create $WINEPREFIX ($(tail -n 1 <<<"$boot_output"))"
    fi
fi
# Top-level windows are not handed to a window manager: the virtual display has none, and Wine
# would wait two seconds for one at every window's destruction.
if [ ! -f "$WINEPREFIX/.unmanaged-windows" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -w || true
    touch "$WINEPREFIX/.unmanaged-windows"
fi
# A prefix for another DPI (CRESCENDA_WINE_DPI) gets it as the desktop's LogPixels, as the
# display settings dialog stores it; Wine reads it when a prefix's first process starts.
dpi="${CRESCENDA_WINE_DPI:-}"
if [ -n "$dpi" ] && [ ! -f "$WINEPREFIX/.logpixels-$dpi" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 || true
    wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 || true
    wineserver -w || true
    touch "$WINEPREFIX/.logpixels-$dpi"
fi
flock -u 9
exec 9>&-
[ "${1:-}" = "--prepare-only" ] && exit 0

# The first program of a Wine session starts the session's own processes (wineserver, services,
# explorer, ...), and they keep its standard output and error open until the session ends, long
# after the program did when other programs keep the session going. CTest waits for the end of a
# test's output, so it would count that test as running until then. The program writes into
# files instead, relayed here as they grow, and the relay ends with the program.
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
wine "$@" <&0 >"$out" 2>"$err" &
pid=$!
trap 'kill "$pid" 2>/dev/null' TERM INT
tail -s 0.1 --pid="$pid" -n +1 -f "$out" &
tail -s 0.1 --pid="$pid" -n +1 -f "$err" >&2 &
status=0
wait "$pid" || status=$?
wait
exit "$status"
