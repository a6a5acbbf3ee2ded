#!/usr/bin/env bash
# Builds the suite and opens it; arguments go to kestrova (see kestrova --help).
# Without a display it serves the screens over VNC and says where to connect.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh build
exec build/bin/kestrova "$@"
