# Sourced by the test scripts: a private virtual X display for the Windows tests that open windows.
# start_virtual_display keeps a DISPLAY that is already set; otherwise it starts Xvfb on a display
# number Xvfb picks itself (so parallel runs and other X servers never collide), with a screen of
# $VIRTUAL_DISPLAY_SCREEN (default 1280x800x24), waits until Xvfb reports it ready and exports
# DISPLAY. stop_virtual_display stops only a server started here.
virtual_display_pid=""

start_virtual_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    local number_file
    number_file=$(mktemp)
    # Xvfb writes the display number to descriptor 3 once it accepts connections.
    Xvfb -displayfd 3 -screen 0 "${VIRTUAL_DISPLAY_SCREEN:-1280x800x24}" -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    virtual_display_pid=$!
    local tries=0
    while [ ! -s "$number_file" ] && [ $tries -lt 200 ] && kill -0 "$virtual_display_pid" 2>/dev/null; do
        sleep 0.05
        tries=$((tries + 1))
    done
    local number
    number=$(tr -dc '0-9' <"$number_file")
    rm -f "$number_file"
    if [ -z "$number" ]; then
        echo "virtual display: Xvfb did not come up"
        stop_virtual_display
        return 1
    fi
    export DISPLAY=":$number"
}

stop_virtual_display() {
    if [ -n "$virtual_display_pid" ]; then
        kill "$virtual_display_pid" >/dev/null 2>&1
        wait "$virtual_display_pid" 2>/dev/null
        virtual_display_pid=""
        unset DISPLAY
    fi
    return 0
}
