#!/usr/bin/env bash
# Builds everything (native and Windows) and runs every test. Installs what it needs.
# Ends with the test runner's summary line.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

export WINEDEBUG=-all
export WINEPREFIX="${WINEPREFIX:-$(mktemp -d /tmp/vemora-wine.XXXXXX)}"

echo "== native build"
cmake --preset native >/dev/null
cmake --build --preset native
echo "== Windows build (mingw-w64)"
cmake --preset mingw >/dev/null
cmake --build --preset mingw
wineboot -i >/dev/null 2>&1 || true

echo "== Windows tests under Wine"
ctest --preset mingw 2>&1 | tail -n 3
echo "== native tests"
ctest --preset native
