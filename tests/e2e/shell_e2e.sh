#!/usr/bin/env bash
# The suite shell for real under Xvfb: on a fresh demo database it registers the component,
# shows the trip board in a window titled "Control de viajes", and ends with status 0 when that
# window is closed. Leaves a screenshot, shell.png, in the work folder.
#   shell_e2e.sh KESTROVA WORKDIR
source "$(dirname "$0")/e2e_common.sh"
e2e_setup "$0" "$@"

"$KESTROVA" demo-db "$WORK/demo.sqlite" --trips 300 >"$WORK/demo-db.log" 2>&1 ||
    e2e_fail "kestrova demo-db: $(cat "$WORK/demo-db.log")"

export KESTROVA_SQL_TRACE=$WORK/trace.jsonl
e2e_start "$WORK/kestrova.log" --db "$WORK/demo.sqlite" --user PRUEBA
window=$(e2e_window "Control de viajes") || e2e_fail "no window titled \"Control de viajes\""

grep -q '"KT512.Pantalla"' "$KESTROVA_REGISTRY" || e2e_fail "KT512 was not registered"
# The window maps before the shell writes its start line: wait for the line.
e2e_wait_for 10 grep -q "LOGISTICA" "$WORK/kestrova.log" ||
    e2e_fail "the shell did not read the module name"
[ "$(xdotool search --name "^Control de viajes\$" | wc -l)" -eq 1 ] ||
    e2e_fail "the board is not inside one container window"
# The board loaded its trips: the stored query ran.
for ((i = 0; i < 40; i++)); do
    grep -q "Viaje" "$KESTROVA_SQL_TRACE" 2>/dev/null && break
    sleep 0.25
done
grep -q "Viaje" "$KESTROVA_SQL_TRACE" || e2e_fail "the board ran no trip query"

sleep 1
import -window root "$WORK/shell.png" || e2e_fail "no screenshot"

e2e_close "$window" || e2e_fail "could not close the window"
e2e_wait_exit 30
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "kestrova ended with status $E2E_STATUS"
echo "PASS: the shell showed the board and ended cleanly; screenshot $WORK/shell.png"
