# Shared by the end-to-end scripts (source it): a private Xvfb display, a private class registry
# and data folder, and helpers to start kestrova, find its windows and close them.
#   e2e_setup KESTROVA WORKDIR "$@"  (re-runs the calling script under xvfb-run when needed)
set -u

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

e2e_fail() {
    echo "FAIL: $*" >&2
    if [ -n "${E2E_LOG:-}" ] && [ -f "$E2E_LOG" ]; then
        echo "--- kestrova output:" >&2
        cat "$E2E_LOG" >&2
    fi
    [ -n "${E2E_PID:-}" ] && kill "$E2E_PID" 2>/dev/null
    exit 1
}

# Exit status 77 tells CTest the test was skipped.
e2e_require() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
    done
}

e2e_display_answers() {
    local i
    for ((i = 0; i < 40; i++)); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
        sleep 0.25
    done
    return 1
}

# kestrova and the work folder come first; the script's own path is needed to re-run it.
e2e_setup() {
    local script=$1 kestrova=$2 work=$3
    shift 3
    e2e_require xvfb-run xdotool import python3
    # Each run starts its search for a free display at a random number: parallel runs that all
    # began at the same one could take the same display between finding and taking it. A display
    # that does not answer (another run's server won the race for it) is given up for another.
    local tries=${E2E_UNDER_XVFB:-0}
    if ((tries > 0)) && ! e2e_display_answers; then
        ((tries < 3)) || e2e_fail "the X display ${DISPLAY:-} never answered"
    elif ((tries > 0)); then
        tries=-1
    fi
    if ((tries >= 0)); then
        export E2E_UNDER_XVFB=$((tries + 1))
        exec xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1280x800x24" bash "$script" "$kestrova" "$work" "$@"
    fi
    KESTROVA=$kestrova
    WORK=$work
    rm -rf "$WORK"
    mkdir -p "$WORK"
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY
    export KESTROVA_REGISTRY=$WORK/registry.json
    export XDG_DATA_HOME=$WORK/data XDG_CONFIG_HOME=$WORK/config
}

# e2e_wait_for SECONDS COMMAND...: polls until COMMAND succeeds.
e2e_wait_for() {
    local seconds=$1 i
    shift
    for ((i = 0; i < seconds * 4; i++)); do
        "$@" && return 0
        sleep 0.25
    done
    return 1
}

# e2e_start LOGFILE ARGS...: starts the shell in the background (E2E_PID).
e2e_start() {
    E2E_LOG=$1
    shift
    "$KESTROVA" "$@" >"$E2E_LOG" 2>&1 &
    E2E_PID=$!
}

# e2e_window TITLE [SECONDS]: prints the id of the first window named TITLE, waiting for it.
e2e_window() {
    local title=$1 wait=${2:-60} id i
    for ((i = 0; i < wait * 4; i++)); do
        id=$(xdotool search --name "^${title}\$" 2>/dev/null | head -1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        kill -0 "$E2E_PID" 2>/dev/null || return 1
        sleep 0.25
    done
    return 1
}

e2e_close() { python3 "$E2E_DIR/close_window.py" "$1"; }

# e2e_wait_exit [SECONDS]: waits for the shell to end and sets E2E_STATUS; fails when it hangs.
e2e_wait_exit() {
    local wait=${1:-30} i
    for ((i = 0; i < wait * 4; i++)); do
        if ! kill -0 "$E2E_PID" 2>/dev/null; then
            wait "$E2E_PID"
            E2E_STATUS=$?
            return 0
        fi
        sleep 0.25
    done
    e2e_fail "kestrova still runs ${wait} s after its window was closed"
}
