#!/usr/bin/env bash
# The shell without a display: it serves its screens over VNC on the loopback address only,
# warns when told to serve other machines, refuses a port already in use, and leaves no VNC
# server behind when it is killed.
#   remote_screen_e2e.sh KESTROVA WORKDIR
set -u
KESTROVA=$1
WORK=$2
command -v Xvnc >/dev/null 2>&1 || { echo "SKIP: Xvnc is not installed"; exit 77; }
rm -rf "$WORK"
mkdir -p "$WORK"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export KESTROVA_REGISTRY=$WORK/registry.json XDG_DATA_HOME=$WORK/data XDG_CONFIG_HOME=$WORK/config
"$KESTROVA" demo-db "$WORK/demo.sqlite" --trips 20 >/dev/null || exit 1
PORT=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
pids=()
fail() {
    echo "FAIL: $*" >&2
    for f in "$WORK"/*.log; do echo "--- $f" >&2; cat "$f" >&2; done
    kill -9 "${pids[@]}" 2>/dev/null
    exit 1
}
listening() { ss -ltnH "sport = :$PORT" 2>/dev/null | awk '{print $4}'; }

"$KESTROVA" --db "$WORK/demo.sqlite" --vnc-port "$PORT" >"$WORK/first.log" 2>&1 &
first=$!
pids+=("$first")
for _ in $(seq 1 100); do
    [ -n "$(listening)" ] && break
    kill -0 "$first" 2>/dev/null || fail "the shell ended before it served its screen"
    sleep 0.1
done
[ "$(listening)" = "127.0.0.1:$PORT" ] || fail "VNC listens on '$(listening)', not on 127.0.0.1:$PORT only"
python3 - "$PORT" <<'PY' || fail "no VNC greeting on the port"
import socket, sys
s = socket.create_connection(("127.0.0.1", int(sys.argv[1])), timeout=5)
assert s.recv(12).startswith(b"RFB "), "not a VNC server"
PY
grep -q "ssh -L $PORT:localhost:$PORT" "$WORK/first.log" || fail "no word on the SSH tunnel"

# The board fills the remote screen: no window manager there would maximise it.
if command -v xdotool >/dev/null 2>&1; then
    server=$(pgrep -P "$first" Xvnc)
    display=$(ss -xlpH 2>/dev/null | grep "pid=$server," | grep -o 'X11-unix/X[0-9]*' | head -1)
    display=${display#X11-unix/X}
    [ -n "$display" ] || fail "no X display of the VNC server found"
    geometry=""
    for _ in $(seq 1 100); do
        window=$(DISPLAY=:$display xdotool search --onlyvisible --name "Control de viajes" 2>/dev/null | head -1)
        [ -n "$window" ] && geometry=$(DISPLAY=:$display xdotool getwindowgeometry --shell "$window" | grep -E '^(WIDTH|HEIGHT)=' | tr '\n' ' ')
        [ "$geometry" = "WIDTH=1280 HEIGHT=800 " ] && break
        sleep 0.1
    done
    [ "$geometry" = "WIDTH=1280 HEIGHT=800 " ] || fail "the board is '$geometry' on a 1280x800 remote screen"
fi

# The port is taken: a clear error and a failing status, at once.
timeout 30 "$KESTROVA" --db "$WORK/demo.sqlite" --vnc-port "$PORT" >"$WORK/second.log" 2>&1
status=$?
[ "$status" -eq 1 ] || fail "a second shell on a taken port ended with $status"
grep -q "no se puede servir la pantalla por VNC" "$WORK/second.log" || fail "no word on the taken port"

# Killed outright, the shell takes its VNC server along.
server=$(pgrep -P "$first" Xvnc)
[ -n "$server" ] || fail "no VNC server under the shell"
kill -9 "$first"
for _ in $(seq 1 50); do kill -0 "$server" 2>/dev/null || break; sleep 0.1; done
kill -0 "$server" 2>/dev/null && fail "the VNC server outlived the shell"

# Serving other machines is said aloud.
"$KESTROVA" --db "$WORK/demo.sqlite" --vnc-port "$PORT" --vnc-listen 0.0.0.0 >"$WORK/open.log" 2>&1 &
open=$!
pids+=("$open")
for _ in $(seq 1 100); do [ -n "$(listening)" ] && break; sleep 0.1; done
[ "$(listening)" = "0.0.0.0:$PORT" ] || fail "--vnc-listen 0.0.0.0 listens on '$(listening)'"
grep -q "AVISO" "$WORK/open.log" || fail "no warning when other machines are let in"
kill "$open"
wait "$open" 2>/dev/null
echo "remote screen: loopback only, warning, taken port and cleanup checked"
