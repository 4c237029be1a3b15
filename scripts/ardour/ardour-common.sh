# Sourced by the Ardour scripts: a private copy of the VST3 bundle, scanned by Debian's Ardour 7
# into a private cache, with a private configuration folder, so a run depends neither on the user's
# plug-in folders, cache or settings nor on another run beside it.
#   ardour_scan_bundle BUILD WORK   sets ARDOUR_ENV (VST3_PATH, XDG_CACHE_HOME, XDG_CONFIG_HOME,
#                                   all under WORK) and ARDOUR_CACHE (the scanner's cache file)
ARDOUR_SCANNER=/usr/lib/ardour7/ardour-vst3-scanner

# True when the Ardour 7 programs these scripts call are installed.
ardour_installed() {
    [ -x "$ARDOUR_SCANNER" ] && command -v ardour7-lua >/dev/null && command -v ardour7-export >/dev/null
}

ardour_scan_bundle() {
    local build=$1 work=$2
    mkdir -p "$work/vst3" "$work/cache"
    cp -r "$build/bin/Crescenda.vst3" "$work/vst3/"
    local binary="$work/vst3/Crescenda.vst3/Contents/x86_64-linux/Crescenda.so"
    # The cache counts only when it is newer, in whole seconds, than the binary.
    touch -d '-2 seconds' "$binary"
    # The scanner exits 0 even when it rejects a bundle: its cache file is the answer.
    XDG_CACHE_HOME="$work/cache" LD_LIBRARY_PATH=/usr/lib/ardour7 \
        "$ARDOUR_SCANNER" -f -v "$work/vst3/Crescenda.vst3" || true
    ARDOUR_CACHE="$work/cache/ardour7/vst/$(printf '%s' "$binary" | sha1sum | cut -d' ' -f1).v3i"
    ARDOUR_ENV=(VST3_PATH="$work/vst3" XDG_CACHE_HOME="$work/cache" XDG_CONFIG_HOME="$work/config")
    if [ ! -f "$ARDOUR_CACHE" ]; then
        echo "ardour: no cache file $ARDOUR_CACHE: Ardour rejected the bundle" >&2
        return 1
    fi
}
