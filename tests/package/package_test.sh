#!/usr/bin/env bash
# The Debian package: CPack makes kestrova_VERSION_amd64.deb from the build; unpacked into a
# scratch root with dpkg -x, it holds the shell, the component and the platform libraries, the
# desktop entry, the manual page and the SQL Server schema, and its dependencies come from
# dpkg-shlibdeps. The unpacked shell runs from there through its relative RPATH alone.
#   package_test.sh BUILD_DIR WORKDIR VERSION SOURCE_DIR LIBDIR (the suite's, under /usr)
set -u
BUILD=$1
WORK=$2
VERSION=$3
SOURCE=$4
LIBDIR=usr/$5
rm -rf "$WORK"
mkdir -p "$WORK"
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

for tool in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate readelf; do
    command -v "$tool" >/dev/null ||
        { echo "FAIL: $tool is missing (tools/setup.sh installs it)"; exit 1; }
done

cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$WORK/out" >"$WORK/cpack.log" 2>&1 ||
    { echo "FAIL: cpack"; cat "$WORK/cpack.log"; exit 1; }
DEB=$WORK/out/kestrova_${VERSION}_amd64.deb
[ -f "$DEB" ] || { echo "FAIL: no $DEB"; ls "$WORK/out"; exit 1; }
echo "package: $(basename "$DEB"), $(du -k "$DEB" | cut -f1) KiB"

# Everything under /usr, nothing of the build tree.
dpkg-deb -c "$DEB" | awk '{print $6}' | grep -v '^\./usr/' | grep -v '^\./$' &&
    fail "files outside /usr"
# No maintainer scripts: a removal leaves nothing, not even the package's record.
dpkg-deb -e "$DEB" "$WORK/control"
ls "$WORK/control" | grep -qvxE 'control|md5sums' &&
    fail "maintainer scripts: $(ls "$WORK/control")"
depends=$(dpkg-deb -f "$DEB" Depends)
echo "Depends: $depends"
for dep in libqt6core6 libqt6widgets6 libqt6sql6 libsqlite3-0 libc6 libqt6sql6-sqlite; do
    grep -qE "(^|, )$dep( |,|$)" <<<"$depends" || fail "Depends lacks $dep"
done

# Started or loaded at run time, out of dpkg-shlibdeps' sight.
recommends=$(dpkg-deb -f "$DEB" Recommends)
for dep in qt6-translations-l10n tigervnc-standalone-server; do
    grep -qE "(^|, )$dep( |,|$)" <<<"$recommends" || fail "Recommends lacks $dep"
done

ROOT=$WORK/root
dpkg-deb -x "$DEB" "$ROOT"
for f in usr/bin/kestrova "$LIBDIR"/libKT512.so "$LIBDIR"/libkcom.so "$LIBDIR"/libkado.so \
    "$LIBDIR"/libkforms.so \
    usr/share/applications/kestrova.desktop usr/share/icons/hicolor/scalable/apps/kestrova.svg \
    usr/share/man/man1/kestrova.1.gz; do
    [ -s "$ROOT/$f" ] || fail "no /$f"
done
cmp -s "$SOURCE/suite/db/sqlserver/schema.sql" "$ROOT/usr/share/kestrova/sqlserver/schema.sql" ||
    fail "the SQL Server schema is missing or differs from the source"

# Relative search paths only: the build tree's never reaches the package.
for f in "$ROOT"/usr/bin/kestrova "$ROOT/$LIBDIR"/*.so; do
    runpath=$(readelf -d "$f" | grep -E 'R(UN)?PATH' | sed 's/.*\[\(.*\)\]/\1/')
    case "$(basename "$f")" in
    kestrova)
        [ "$runpath" == "\$ORIGIN/../${LIBDIR#usr/}" ] || fail "kestrova's RPATH is \"$runpath\""
        ;;
    *) [ "$runpath" == '$ORIGIN' ] || fail "$(basename "$f")'s RPATH is \"$runpath\"" ;;
    esac
done

desktop-file-validate "$ROOT/usr/share/applications/kestrova.desktop" || fail "desktop entry"
grep -qx "Exec=kestrova" "$ROOT/usr/share/applications/kestrova.desktop" || fail "desktop Exec"
grep -qx "Icon=kestrova" "$ROOT/usr/share/applications/kestrova.desktop" || fail "desktop Icon"

MAN=$ROOT/usr/share/man/man1/kestrova.1.gz
zcat "$MAN" | grep -q '^\.SH NAME' || fail "the manual page has no NAME section"
zcat "$MAN" | grep -q 'connect.fR ODBC' || fail "the manual page does not describe the options"
zcat "$MAN" | grep -q "$VERSION" || fail "the manual page does not carry the version"
if command -v man >/dev/null; then
    MANWIDTH=100 man -l "$MAN" 2>/dev/null | grep -q "^NAME" || fail "man -l does not render it"
fi

# The unpacked shell, its libraries found through the RPATH alone.
unset LD_LIBRARY_PATH
export QT_QPA_PLATFORM=offscreen XDG_DATA_HOME=$WORK/data XDG_CONFIG_HOME=$WORK/config
export KESTROVA_REGISTRY=$WORK/registry.json
ldd "$ROOT/usr/bin/kestrova" | grep -E 'libk(com|ado|forms)\.so' | grep -v " => $ROOT/usr/" &&
    fail "kestrova takes platform libraries from outside the package"
version=$("$ROOT/usr/bin/kestrova" --version 2>&1) || fail "kestrova --version: $version"
echo "$version"
grep -qx "kestrova (Kestrova) $VERSION" <<<"$version" || fail "--version does not name $VERSION"
grep -qx "Componente KT512: $ROOT/$LIBDIR/libKT512.so" <<<"$version" ||
    fail "--version does not read the packaged component"
grep -q "FileVersion: " <<<"$version" || fail "stripping lost the component's version record"
# Registering loads the component, and with it the platform libraries beside it.
out=$("$ROOT/usr/bin/kestrova" regsvr "$ROOT/$LIBDIR/libKT512.so" 2>&1) ||
    fail "the packaged component does not register: $out"

[ "$failures" -eq 0 ] || exit 1
echo "PASS: the package holds what it should and its shell runs from where it was unpacked"
