#!/usr/bin/env bash
# Reprogramming a delivery order for real under Xvfb: the board's first trip opens on the
# rescheduling screen; a right click on its first order and "Reprogramar" open the date dialog,
# where a double click on a later day accepts. The order is then copied under a new folio with
# that date, the old one is "RP", its remission and sale are cancelled, the copy is not on the
# trip, and the order list reloads without the old order. Leaves screenshots of the menu
# (reprogram_menu.png), the date dialog (reprogram_dialog.png) and the screen afterwards
# (reprogram_after.png) in the work folder.
#   reprogram_e2e.sh KESTROVA WORKDIR
source "$(dirname "$0")/e2e_common.sh"
e2e_setup "$0" "$@"

DB=$WORK/demo.sqlite
TRACE=$WORK/trace.jsonl
MESSAGES=$WORK/messages.jsonl

# sql STATEMENT: runs it through the suite's own command, kept out of the shell's trace.
sql() { env -u KESTROVA_SQL_TRACE -u KESTROVA_MESSAGE_LOG "$KESTROVA" sql --db "$DB" "$1"; }
# value STATEMENT: the first column of the first row.
value() { sql "$1" | sed -n 2p | cut -f1; }

"$KESTROVA" demo-db "$DB" --trips 300 >"$WORK/demo-db.log" 2>&1 ||
    e2e_fail "kestrova demo-db: $(cat "$WORK/demo-db.log")"
sql "UPDATE Viaje SET Es_Cve_Estado = 'TR'" >"$WORK/setup.log" 2>&1 ||
    e2e_fail "preparing the trips: $(cat "$WORK/setup.log")"

export KESTROVA_SQL_TRACE=$TRACE KESTROVA_MESSAGE_LOG=$MESSAGES
e2e_start "$WORK/kestrova.log" --db "$DB" --user PRUEBA
board=$(e2e_window "Control de viajes") || e2e_fail "no window titled \"Control de viajes\""

trips_loaded() { grep -q "Cs_Nombre = 'Viajes'" "$TRACE" 2>/dev/null; }
e2e_wait_for 20 trips_loaded || e2e_fail "the board loaded no trips"
sleep 1

# rerun TEXT [ROWS]: the first column of the rows (all, or the first ROWS) that the last traced
# statement holding TEXT gives on the database now, as it ran on SQLite.
rerun() {
    python3 - "$TRACE" "$DB" "$1" "${2:-0}" <<'PY'
import itertools, json, sqlite3, sys
found = None
for line in open(sys.argv[1], encoding="utf-8"):
    entry = json.loads(line)
    if sys.argv[3] in entry["sql"] and not entry.get("error"):
        found = entry["executed"]
if found is None:
    sys.exit("no statement holding " + sys.argv[3])
rows = sqlite3.connect(sys.argv[2]).execute(found)
for row in itertools.islice(rows, int(sys.argv[4]) or None):
    print(row[0])
PY
}

# The trip heading the board: its orders become reprogrammable, dated on the 3rd of this month
# (the dialog then opens on this month, with later days in the same grid), and their remissions
# active again, so that the cancellations have something to cancel.
trip=$(rerun 'Ch_Descripcion AS "Chofer"' 1) || e2e_fail "$trip"
[ -n "$trip" ] || e2e_fail "the board lists no trips"
orders="SELECT Vd_Documento FROM Viaje_Documento WHERE Vj_Folio = '$trip' AND Vd_Tabla = 'ORDEN_ENTREGA'"
[ "$(value "SELECT COUNT(*) FROM ($orders) o")" -gt 0 ] || {
    # A trip without orders takes one from elsewhere.
    sql "INSERT INTO Viaje_Documento (Vj_Folio, Vd_Tabla, Vd_Documento) SELECT '$trip',
        'ORDEN_ENTREGA', MIN(Oe_Folio) FROM Orden_Entrega" >>"$WORK/setup.log" 2>&1 ||
        e2e_fail "linking an order to trip $trip: $(cat "$WORK/setup.log")"
}
old_date=$(date +%Y-%m-03)
sql "UPDATE Orden_Entrega SET Es_Cve_Estado = 'RM', Oe_Fecha_Entrega = '$old_date'
    WHERE Oe_Folio IN ($orders)" >>"$WORK/setup.log" 2>&1 &&
    sql "UPDATE Remision SET Es_Cve_Estado = 'AC' WHERE Rm_Folio IN (SELECT Rm_Folio FROM
        Orden_Entrega WHERE Oe_Folio IN ($orders))" >>"$WORK/setup.log" 2>&1 ||
    e2e_fail "preparing the orders of trip $trip: $(cat "$WORK/setup.log")"
# The list shows the trip's orders by folio: the first row is the lowest.
folio=$(value "SELECT MIN(Vd_Documento) FROM ($orders) o")
lines=$(value "SELECT COUNT(*) FROM Orden_Entrega WHERE Oe_Folio = '$folio'")
links=$(value "SELECT COUNT(*) FROM Entrega_Documento WHERE Ed_Tabla = 'ORDEN_ENTREGA' AND
    Ed_Documento = '$folio'")
remission=$(value "SELECT MIN(Rm_Folio) FROM Orden_Entrega WHERE Oe_Folio = '$folio'")

# The first row of the trip list, just under the list's header.
xdotool mousemove --window "$board" 50 105 click --repeat 2 --delay 60 1
screen=$(e2e_window "Reprogramar viajes — Viaje .*" 20) ||
    e2e_fail "the double click opened no rescheduling screen"
opened=$(grep -o "Vj_Folio = '[^']*' AND   Es_cve_estado" "$TRACE" | head -1 | cut -d"'" -f2)
[ "$opened" == "$trip" ] || e2e_fail "the screen opened trip \"$opened\", expected $trip"
listed() { grep -qF 'Orden_Entrega.Oe_Folio AS \"Folio' "$TRACE"; }
e2e_wait_for 10 listed || e2e_fail "the screen listed no orders"
sleep 1

# The first row of the order list, on the first tab, just under the list's header; the menu
# holds one entry.
xdotool mousemove --window "$screen" 60 197 click 3
sleep 0.5
import -window root "$WORK/reprogram_menu.png" || e2e_fail "no screenshot"
xdotool key Down Return
dialog=$(e2e_window "Fecha de entrega" 20) || {
    import -window root "$WORK/reprogram_nodialog.png"
    e2e_fail "the menu opened no date dialog"
}
sleep 0.5
import -window root "$WORK/reprogram_dialog.png" || e2e_fail "no screenshot"
# The third week of the month shown: later than the 3rd whatever day the week starts on.
xdotool mousemove --window "$dialog" 158 152 click --repeat 2 --delay 80 1

committed() { grep -q '"sql":"COMMIT' "$TRACE"; }
e2e_wait_for 20 committed || e2e_fail "the double click reprogrammed nothing"
# reloaded: the order list was read again after the commit.
reloaded() { sed -n '/"sql":"COMMIT/,$p' "$TRACE" | grep -qF 'Orden_Entrega.Oe_Folio AS \"Folio'; }
e2e_wait_for 10 reloaded || e2e_fail "the order list did not reload after the reprogramming"
sleep 1
import -window root "$WORK/reprogram_after.png" || e2e_fail "no screenshot"
[ ! -s "$MESSAGES" ] || e2e_fail "messages were shown: $(cat "$MESSAGES")"

# The copy: one new folio, as many lines as the old order, all on the day picked, later than
# the old one, and the old order's links with it.
new=$(value "SELECT group_concat(DISTINCT Oe_Folio) FROM Orden_Entrega WHERE Oper_Alta = 'PRUEBA'")
[ -n "$new" ] && [[ "$new" != *,* ]] && [ "$new" != "$folio" ] ||
    e2e_fail "expected one new order, found \"$new\""
copy=$(sql "SELECT COUNT(*), MIN(date(Oe_Fecha_Entrega)), MAX(date(Oe_Fecha_Entrega))
    FROM Orden_Entrega WHERE Oe_Folio = '$new' AND Es_Cve_Estado = 'RM'" | sed -n 2p)
IFS=$'\t' read -r copied new_date last_date <<<"$copy"
[ "$copied" == "$lines" ] || e2e_fail "order $new has $copied lines in RM, expected $lines"
[ "$new_date" == "$last_date" ] && [[ "$new_date" > "$old_date" ]] ||
    e2e_fail "order $new is dated $new_date to $last_date, expected one day after $old_date"
[ "$(value "SELECT COUNT(*) FROM Entrega_Documento WHERE Ed_Tabla = 'ORDEN_ENTREGA' AND
    Ed_Documento = '$new'")" == "$links" ] || e2e_fail "order $new does not carry $links links"

# The old order is reprogrammed, line by line; its remission and sale are cancelled.
state=$(value "SELECT group_concat(DISTINCT Es_Cve_Estado) FROM Orden_Entrega WHERE Oe_Folio = '$folio'")
[ "$state" == "RP" ] || e2e_fail "order $folio is in \"$state\", expected RP"
if [ -n "$remission" ] && [ "$remission" != "NULL" ]; then
    cancelled=$(value "SELECT group_concat(Es_Cve_Estado) FROM (SELECT Es_Cve_Estado FROM
        Remision WHERE Rm_Folio = '$remission' UNION ALL SELECT Es_Cve_Estado FROM Venta WHERE
        Vn_Tabla = 'REMISION' AND Vn_Documento = '$remission')")
    [[ "$cancelled" =~ ^CA(,CA)*$ ]] ||
        e2e_fail "remission $remission and its sale are in \"$cancelled\", expected CA"
fi

# The copy is not on the trip, and the reloaded list shows neither order.
[ "$(value "SELECT COUNT(*) FROM Viaje_Documento WHERE Vd_Documento = '$new'")" == 0 ] ||
    e2e_fail "order $new is linked to a trip"
shown=$(rerun 'Orden_Entrega.Oe_Folio AS "Folio"') || e2e_fail "$shown"
! grep -qx -e "$folio" -e "$new" <<<"$shown" ||
    e2e_fail "the reloaded order list still shows $folio or $new: $shown"

# Esc leaves the screen; on a slow machine the window may take a moment to get the keyboard.
for _ in 1 2 3 4 5; do
    xdotool windowactivate --sync "$screen" 2>/dev/null
    xdotool key Escape
    e2e_wait_for 4 test -z "$(xdotool search --name '^Reprogramar viajes' 2>/dev/null)" && break
done
[ -z "$(xdotool search --name '^Reprogramar viajes' 2>/dev/null)" ] ||
    e2e_fail "the rescheduling screen stayed open"
e2e_close "$board" || e2e_fail "could not close the board's window"
e2e_wait_exit 30
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "kestrova ended with status $E2E_STATUS"
echo "PASS: order $folio ($lines lines, $links links, remission $remission) moved to $new on $new_date;" \
    "screenshots $WORK/reprogram_dialog.png and $WORK/reprogram_after.png"
