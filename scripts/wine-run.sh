#!/usr/bin/env bash
# Runs a Windows executable under Wine with a private prefix inside the build folder and Wine's
# own chatter silenced. CTest uses it as the cross-compiling emulator.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="${CRESCENDA_WINEPREFIX:-$here/build/win64/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
fi
# Top-level windows are not handed to a window manager: the virtual display has none, and Wine
# would wait two seconds for one at every window's destruction.
if [ ! -f "$WINEPREFIX/.unmanaged-windows" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -w || true
    touch "$WINEPREFIX/.unmanaged-windows"
fi
exec wine "$@"
