#!/usr/bin/env bash
# Builds the Debian package kestrova_<version>_amd64.deb with CPack and leaves it in the
# repository root; install it with apt-get install ./kestrova_<version>_amd64.deb.
#   tools/package.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
tools/setup.sh "$build"
rm -rf "$build/package"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$build/package"
rm -f kestrova_*_amd64.deb
cp "$build"/package/kestrova_*_amd64.deb .
ls -l kestrova_*_amd64.deb
