#!/usr/bin/env bash
# The shell and its tools before files that are not what they should be: an empty file, a
# database of something else and a mistyped ODBC path are refused and left as they were; a
# database in a read-only place opens to be read and nothing on disk changes.
#   files_e2e.sh KESTROVA WORKDIR
set -u
KESTROVA=$1
WORK=$2
rm -rf "$WORK"
mkdir -p "$WORK"
export QT_QPA_PLATFORM=offscreen KESTROVA_MESSAGES=log KESTROVA_MESSAGE_LOG=$WORK/messages.jsonl
export KESTROVA_REGISTRY=$WORK/registry.json XDG_DATA_HOME=$WORK/data XDG_CONFIG_HOME=$WORK/config
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
# refused PATTERN FILE ARGS...: the shell ends with status 1 saying PATTERN, FILE untouched.
refused() {
    local pattern=$1 file=$2 before output status
    shift 2
    before=$(md5sum "$file" 2>/dev/null)
    output=$(timeout 60 "$KESTROVA" "$@" 2>&1)
    status=$?
    [ "$status" -eq 1 ] || fail "$* ended with $status: $output"
    grep -qE -- "$pattern" <<<"$output" || fail "$* said: $output (expected: $pattern)"
    [ "$(md5sum "$file" 2>/dev/null)" == "$before" ] || fail "$* changed $file"
    [ ! -e "$file-wal" ] || fail "$* left a write-ahead log beside $file"
}

: >"$WORK/vacio.sqlite"
refused "está vacío" "$WORK/vacio.sqlite" --db "$WORK/vacio.sqlite"
python3 -c "import sqlite3,sys; c=sqlite3.connect(sys.argv[1]); c.execute('CREATE TABLE notas (t TEXT)'); c.commit()" \
    "$WORK/otra.sqlite"
refused "no de Kestrova" "$WORK/otra.sqlite" --db "$WORK/otra.sqlite"
refused "No existe el archivo" "$WORK/errata.sqlite" --connect "Driver=SQLite3;Database=$WORK/errata.sqlite"
[ ! -e "$WORK/errata.sqlite" ] || fail "a mistyped ODBC path made a new file"

# A read-only place, for a user who cannot write there (root can write anywhere).
"$KESTROVA" demo-db "$WORK/demo.sqlite" --trips 20 >/dev/null || fail "no demo database"
place=$(mktemp -d)
cp "$WORK/demo.sqlite" "$place/demo.sqlite"
chmod 444 "$place/demo.sqlite"
chmod 555 "$place"
as_nobody() { setpriv --reuid=65534 --regid=65534 --clear-groups -- env HOME="$place" "$@"; }
if ! as_nobody "$KESTROVA" --help >/dev/null 2>&1; then
    # The build lies where an unprivileged user cannot reach it (a checkout under /root).
    echo "NOTE: the read-only place is not checked: kestrova cannot run as an unprivileged user here"
    chmod 755 "$place"
    rm -rf "$place"
    [ "$failures" -eq 0 ] || exit 1
    exit 0
fi
before=$(md5sum "$place/demo.sqlite")
trips=$(as_nobody "$KESTROVA" sql --db "$place/demo.sqlite" "SELECT COUNT(*) AS n FROM Viaje" 2>&1)
[ "$trips" == $'n\n20' ] || fail "reading a read-only database gave: $trips"
change=$(as_nobody "$KESTROVA" sql --db "$place/demo.sqlite" "UPDATE Viaje SET Vj_Observaciones = 'x'" 2>&1)
grep -q "solo lectura" <<<"$change" || fail "writing a read-only database said: $change"
[ "$(md5sum "$place/demo.sqlite")" == "$before" ] || fail "the read-only database changed"
[ -z "$(ls "$place" | grep -v '^demo.sqlite$')" ] || fail "files appeared beside it: $(ls "$place")"
chmod 755 "$place"
rm -rf "$place"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "file faults: refused and untouched, read-only place read as it is"
