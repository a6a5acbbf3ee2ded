#!/usr/bin/env bash
# The trip board for real under Xvfb: kestrova opens it on a fresh demo database with the trips
# of the days around today listed, and F5 reloads them, as the SQL trace shows. Sorting by Fecha
# puts them in time order; the window opens wider than the design to show the list's columns,
# and reopens where the user left it.
#   board_e2e.sh KESTROVA WORKDIR
source "$(dirname "$0")/e2e_common.sh"
e2e_setup "$0" "$@"
e2e_require xclip

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

# first_trip_date: the date of the list's first trip, as Ctrl+C copies it (under its titles).
first_trip_date() {
    xdotool mousemove --window "$window" 60 105 click 1
    xdotool key ctrl+c
    xclip -selection clipboard -o 2>/dev/null | awk -F'\t' '
        NR == 1 { for (i = 1; i <= NF; i++) if ($i == "Fecha") c = i }
        NR == 2 && c { print $c }'
}
# trip_dates FIRST|LAST: the newest or oldest date the last trip load listed, as the list shows it.
trip_dates() {
    python3 - "$KESTROVA_SQL_TRACE" "$WORK/demo.sqlite" "$1" <<'PY'
import json, sqlite3, sys
loads = [json.loads(l) for l in open(sys.argv[1], encoding="utf-8") if "Viaje.Vj_Fecha BETWEEN" in l]
dates = [row[1][:10] for row in sqlite3.connect(sys.argv[2]).execute(loads[-1]["executed"])]
y, m, d = (max(dates) if sys.argv[3] == "LAST" else min(dates)).split("-")
print(f"{d}/{m}/{y}")
PY
}
# A click on the Fecha title sorts the trips newest first, the next one oldest first: in time
# order, not in the order of the texts (where 30/11 comes after 12/12), which differ whenever the
# board's two weeks cross the end of a month.
for want in LAST FIRST; do
    xdotool mousemove --window "$window" 130 89 click 1
    expected=$(trip_dates "$want")
    # A loaded machine may sort and copy a moment after the keys were sent.
    for _ in $(seq 1 20); do
        sleep 0.25
        got=$(first_trip_date)
        [ "$got" = "$expected" ] && break
    done
    [ -n "$got" ] || e2e_fail "nothing copied from the list"
    [ "$got" = "$expected" ] || e2e_fail "sorted by Fecha, the list begins on $got, not on $expected"
done

# geometry WINDOW: "X Y WIDTH HEIGHT" of the window on the screen.
geometry() {
    xdotool getwindowgeometry --shell "$1" | awk -F= '/^(X|Y|WIDTH|HEIGHT)=/ {printf "%s ", $2}'
}
read -r _ _ width _ <<<"$(geometry "$window")"
[ "$width" -gt 722 ] || e2e_fail "the board opened $width pixels wide, no wider than its design"

xdotool windowsize --sync "$window" 900 500 && xdotool windowmove --sync "$window" 60 40 ||
    e2e_fail "could not move the board"
e2e_close "$window" || e2e_fail "could not close the window"
e2e_wait_exit 30
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "kestrova ended with status $E2E_STATUS"
[ -s "$XDG_CONFIG_HOME/kestrova/ventanas.ini" ] || e2e_fail "no window places in the user's configuration"

e2e_start "$WORK/again.log" --db "$WORK/demo.sqlite" --user PRUEBA
window=$(e2e_window "Control de viajes") || e2e_fail "the board did not open again"
placed=""
for _ in $(seq 1 40); do
    placed=$(geometry "$window")
    [ "$placed" = "60 40 900 500 " ] && break
    sleep 0.25
done
[ "$placed" = "60 40 900 500 " ] || e2e_fail "the board reopened at '$placed', not where it was left"
e2e_close "$window" || e2e_fail "could not close the window"
e2e_wait_exit 30
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "kestrova ended with status $E2E_STATUS"
echo "PASS: the board listed the demo trips, F5 reloaded them and the window reopened where it was left; screenshot $WORK/board.png"
