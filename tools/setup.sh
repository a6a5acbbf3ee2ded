#!/usr/bin/env bash
# Installs what the suite needs on Debian 12 when it is missing, then configures and builds.
#   tools/setup.sh [build-dir] [extra cmake args...]
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake ninja-build pkg-config
          qt6-base-dev qt6-qpa-plugins libqt6sql6-sqlite libqt6sql6-odbc
          libsqlite3-dev unixodbc unixodbc-dev tdsodbc libsqliteodbc
          libgtest-dev libgmock-dev libbenchmark-dev
          xvfb xauth xdotool xclip imagemagick clang-format fonts-dejavu-core
          tigervnc-standalone-server postgresql odbc-postgresql
          qt6-translations-l10n help2man desktop-file-utils dpkg-dev file)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO apt-get update -q
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

build=${1:-build}
shift || true
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
