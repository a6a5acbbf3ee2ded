#!/usr/bin/env bash
# Builds the suite twice, plainly and with AddressSanitizer + UndefinedBehaviorSanitizer, and
# runs the whole test suite on both.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh build
tools/setup.sh build-asan -DKESTROVA_SANITIZE=ON -DKESTROVA_BENCH=OFF
status=0
echo "== tests (release build)"
ctest --test-dir build --output-on-failure -j2 || status=1
echo "== tests (AddressSanitizer + UndefinedBehaviorSanitizer build)"
ctest --test-dir build-asan --output-on-failure -j2 || status=1
exit $status
