#!/usr/bin/env bash
# The trip board for real under Xvfb: kestrova opens it on a fresh demo database with the trips
# of the days around today listed, and F5 reloads them, as the SQL trace shows.
#   board_e2e.sh KESTROVA WORKDIR
source "$(dirname "$0")/e2e_common.sh"
e2e_setup "$0" "$@"

"$KESTROVA" demo-db "$WORK/demo.sqlite" --trips 300 >"$WORK/demo-db.log" 2>&1 ||
    e2e_fail "kestrova demo-db: $(cat "$WORK/demo-db.log")"

export KESTROVA_SQL_TRACE=$WORK/trace.jsonl KESTROVA_MESSAGE_LOG=$WORK/messages.jsonl
e2e_start "$WORK/kestrova.log" --db "$WORK/demo.sqlite" --user PRUEBA
window=$(e2e_window "Control de viajes") || e2e_fail "no window titled \"Control de viajes\""

# trip_loads: how many trip list loads the trace holds; fails on one that failed, or on one
# whose statement gives no rows on the demo database.
trip_loads() {
    python3 - "$KESTROVA_SQL_TRACE" "$WORK/demo.sqlite" <<'PY'
import json, sqlite3, sys
loads = 0
db = sqlite3.connect(sys.argv[2])
try:
    lines = open(sys.argv[1], encoding="utf-8").read().splitlines()
except FileNotFoundError:
    lines = []
for line in lines:
    entry = json.loads(line)
    if "Viaje.Vj_Fecha BETWEEN" not in entry["sql"]:
        continue
    if entry.get("error"):
        sys.exit("the trip query failed: " + entry["error"])
    rows = db.execute(entry["executed"]).fetchall()
    if not rows:
        sys.exit("the trip query lists no trips: " + entry["sql"])
    loads += 1
print(loads)
PY
}

wait_loads() {
    local want=$1 got i
    for ((i = 0; i < 80; i++)); do
        got=$(trip_loads) || e2e_fail "$got"
        [ "$got" -ge "$want" ] && return 0
        sleep 0.25
    done
    e2e_fail "expected $want trip list loads in the trace, found $got"
}

wait_loads 1
sleep 1
first=$(trip_loads) || e2e_fail "$first"

xdotool windowfocus --sync "$window" 2>/dev/null || e2e_fail "could not focus the board"
xdotool key F5
wait_loads $((first + 1))

[ ! -s "$KESTROVA_MESSAGE_LOG" ] || e2e_fail "messages shown: $(cat "$KESTROVA_MESSAGE_LOG")"
import -window root "$WORK/board.png" || e2e_fail "no screenshot"

e2e_close "$window" || e2e_fail "could not close the window"
e2e_wait_exit 30
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "kestrova ended with status $E2E_STATUS"
echo "PASS: the board listed the demo trips and F5 reloaded them; screenshot $WORK/board.png"
