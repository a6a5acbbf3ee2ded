#!/usr/bin/env bash
# The rescheduling screen for real under Xvfb: a double click on the board's first trip opens
# "Reprogramar viajes" on that trip's values; Alt+1 leaves the initial reading as it was, a new
# final odometer reading saved with F4 reaches the database, and the board then reloads its trips. Leaves a screenshot of the screen,
# reschedule.png, in the work folder.
#   reschedule_e2e.sh KESTROVA WORKDIR
source "$(dirname "$0")/e2e_common.sh"
e2e_setup "$0" "$@"

DB=$WORK/demo.sqlite
"$KESTROVA" demo-db "$DB" --trips 300 >"$WORK/demo-db.log" 2>&1 ||
    e2e_fail "kestrova demo-db: $(cat "$WORK/demo-db.log")"
# Every trip open, with the same times and readings: whichever trip heads the board's list
# opens with these values, and saving writes them back as they were shown.
"$KESTROVA" sql --db "$DB" "UPDATE Viaje SET Es_Cve_Estado = 'TR',
    Vj_Fecha_Inicio_Viaje = '2026-01-02 08:15:00', Vj_Fecha_Fin_Viaje = '2026-01-02 17:45:30',
    Vj_Kilometro_Inicial = '1500.25', Vj_Kilometro_Final = '1730.5'" >"$WORK/setup.log" 2>&1 ||
    e2e_fail "preparing the trips: $(cat "$WORK/setup.log")"

TRACE=$WORK/trace.jsonl
MESSAGES=$WORK/messages.jsonl
export KESTROVA_SQL_TRACE=$TRACE KESTROVA_MESSAGE_LOG=$MESSAGES
e2e_start "$WORK/kestrova.log" --db "$DB" --user PRUEBA
board=$(e2e_window "Control de viajes") || e2e_fail "no window titled \"Control de viajes\""

trips_loaded() { [ "$(grep -c "Cs_Nombre = 'Viajes'" "$TRACE" 2>/dev/null)" -ge "$1" ]; }
e2e_wait_for 20 trips_loaded 1 || e2e_fail "the board loaded no trips"
sleep 1

# The first row of the trip list, just under the list's header.
xdotool mousemove --window "$board" 50 105 click --repeat 2 --delay 60 1
e2e_window "Reprogramar viajes — Viaje .*" 20 >/dev/null ||
    e2e_fail "the double click opened no rescheduling screen"
folio=$(grep -o "Vj_Folio = '[^']*' AND   Es_cve_estado" "$TRACE" | head -1 | cut -d"'" -f2)
[ -n "$folio" ] || e2e_fail "the screen read no trip header"
xdotool search --name "^Reprogramar viajes — Viaje $folio, sucursal [^,]+$" >/dev/null ||
    e2e_fail "the screen's title names neither trip $folio nor its branch"
sleep 1
import -window root "$WORK/reschedule.png" || e2e_fail "no screenshot"

# The screen opens with the focus on the initial reading. Alt+1 shows the first tab and types
# nothing into the reading; Tab moves on to the final one.
xdotool key alt+1
xdotool key Tab
xdotool key ctrl+a
xdotool type --delay 50 "4321.5"
xdotool key F4
saved() { grep -q '"sql":"COMMIT' "$TRACE"; }
e2e_wait_for 20 saved || e2e_fail "F4 saved nothing"
[ ! -s "$MESSAGES" ] || e2e_fail "messages were shown: $(cat "$MESSAGES")"

row=$("$KESTROVA" sql --db "$DB" "SELECT Vj_Fecha_Inicio_Viaje, Vj_Fecha_Fin_Viaje,
    Vj_Kilometro_Inicial, Vj_Kilometro_Final FROM Viaje WHERE Vj_Folio = '$folio'" | tail -1)
expected=$'2026-01-02 08:15:00\t2026-01-02 17:45:30\t1500.25\t4321.5'
[ "$row" == "$expected" ] || e2e_fail "trip $folio holds \"$row\", expected \"$expected\""

# The screen closed, and the board, active again, reloaded its trips after the save.
closed() { ! xdotool search --name "^Reprogramar viajes" >/dev/null 2>&1; }
e2e_wait_for 10 closed || e2e_fail "the rescheduling screen stayed open after F4"
reloaded() { sed -n '/"sql":"COMMIT/,$p' "$TRACE" | grep -q "Cs_Nombre = 'Viajes'"; }
e2e_wait_for 10 reloaded || e2e_fail "the board did not reload its trips"

e2e_close "$board" || e2e_fail "could not close the board's window"
e2e_wait_exit 30
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "kestrova ended with status $E2E_STATUS"
echo "PASS: trip $folio saved from the rescheduling screen; screenshot $WORK/reschedule.png"
