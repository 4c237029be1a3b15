#!/usr/bin/env bash
# Fails unless the plug-in binary exports exactly the given names (VSTPluginMain and main when none
# are given). Usage: check_exports.sh <binary> <linux|win64> [NAME...]
set -euo pipefail
binary=$1
kind=$2
shift 2
[ $# -gt 0 ] || set -- VSTPluginMain main
case "$kind" in
linux)
    exports=$(nm -D --defined-only "$binary" | awk '{print $3}' | sort)
    ;;
win64)
    # The export table's name list: "[ordinal] name" lines after "[Ordinal/Name Pointer] Table".
    exports=$(x86_64-w64-mingw32-objdump -p "$binary" |
        awk '/\[Ordinal\/Name Pointer\] Table/{t=1; next} t && /^[ \t]*\[/{print $NF; next} t{t=0}' | sort)
    ;;
*)
    echo "unknown kind $kind" >&2
    exit 2
    ;;
esac
expected=$(printf '%s\n' "$@" | sort)
echo "exports of $binary:"
printf '  %s\n' $exports
if [ "$exports" != "$expected" ]; then
    echo "expected exactly: $*" >&2
    exit 1
fi
