#!/usr/bin/env bash
# kestrova's command-line side: help, component registration and its refusals, the version
# record, and the shell's refusal of bad options and of a database it cannot open.
#   commands_e2e.sh KESTROVA WORKDIR
set -u
KESTROVA=$1
WORK=$2
LIB=$(cd "$(dirname "$KESTROVA")/../lib" && pwd)
rm -rf "$WORK"
mkdir -p "$WORK"
export QT_QPA_PLATFORM=offscreen XDG_DATA_HOME=$WORK/data XDG_CONFIG_HOME=$WORK/config
export KESTROVA_REGISTRY=$WORK/registry.json
failures=0

# expect STATUS PATTERN COMMAND...: runs the command, checks its exit status and that its
# output (stdout and stderr together) matches PATTERN.
expect() {
    local status=$1 pattern=$2
    shift 2
    local output code
    output=$("$@" 2>&1)
    code=$?
    if [ "$code" -ne "$status" ] || ! grep -qE -- "$pattern" <<<"$output"; then
        echo "FAIL: $* -> status $code (expected $status), output:"
        echo "$output"
        echo "(expected to match: $pattern)"
        failures=$((failures + 1))
    fi
}

expect 0 "regsvr \[-u\] LIBRARY" "$KESTROVA" --help
expect 1 "orden desconocida" "$KESTROVA" registrar
expect 1 "opción desconocida" "$KESTROVA" --base x.sqlite
expect 1 "falta el archivo" "$KESTROVA" --db

# What is not a component is refused, and the registry is not even created.
echo "no soy una biblioteca" >"$WORK/libFalso.so"
expect 1 "no es un componente" "$KESTROVA" regsvr "$WORK/libFalso.so"
expect 1 "no es un componente: no ofrece DllGetClassObject" "$KESTROVA" regsvr "$LIB/libkcom.so"
expect 1 "No existe" "$KESTROVA" regsvr "$WORK/nada.so"
[ -e "$KESTROVA_REGISTRY" ] && { echo "FAIL: a refused library created the registry"; failures=$((failures + 1)); }

# Registration and its undoing.
expect 0 "Registrado" "$KESTROVA" regsvr "$LIB/libKT512.so"
grep -q '"KT512.Pantalla"' "$KESTROVA_REGISTRY" || { echo "FAIL: no ProgID registered"; failures=$((failures + 1)); }
expect 0 "Se quitó el registro" "$KESTROVA" regsvr -u "$LIB/libKT512.so"
grep -q '"KT512.Pantalla"' "$KESTROVA_REGISTRY" && { echo "FAIL: the ProgID is still registered"; failures=$((failures + 1)); }

# A corrupt registry is named and left as it was.
printf '{"classes": ' >"$KESTROVA_REGISTRY"
expect 1 "registry.json.*dañado" "$KESTROVA" regsvr "$LIB/libKT512.so"
[ "$(cat "$KESTROVA_REGISTRY")" = '{"classes": ' ] || { echo "FAIL: the corrupt registry was changed"; failures=$((failures + 1)); }
# A registry that cannot be written: its folder is a file.
touch "$WORK/bloqueo"
KESTROVA_REGISTRY=$WORK/bloqueo/registry.json expect 1 "No se puede escribir" "$KESTROVA" regsvr "$LIB/libKT512.so"

# The version record, read from the file.
expect 0 "FileVersion: 6\.00\.0048" "$KESTROVA" version "$LIB/libKT512.so"
expect 0 "OriginalFilename: KT512\.dll" "$KESTROVA" version
expect 1 "no es un archivo ELF" "$KESTROVA" version "$WORK/libFalso.so"
# --version: the suite's version first, then the record of the component the shell loads.
expect 0 "^kestrova \(Kestrova\) [0-9]+\.[0-9]+\.[0-9]+$" "$KESTROVA" --version
expect 0 "^Componente KT512: .*/libKT512\.so$" "$KESTROVA" --version
expect 0 "^  FileVersion: 6\.00\.0048$" "$KESTROVA" --version

# The shell refuses a database it cannot open, with a message and status 1.
KESTROVA_MESSAGES=log KESTROVA_MESSAGE_LOG=$WORK/messages.jsonl \
    expect 1 "kestrova: .*" "$KESTROVA" --db "$WORK/no-existe.sqlite"
grep -q '"style":16' "$WORK/messages.jsonl" 2>/dev/null ||
    { echo "FAIL: the refusal was not shown as a message"; failures=$((failures + 1)); }

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "PASS: command line"
