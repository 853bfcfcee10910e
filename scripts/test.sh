#!/usr/bin/env bash
# Builds everything (Linux and Windows) and runs every test: the Windows programs and their
# end-to-end journeys under Wine on a virtual display, the unit tests once more under
# AddressSanitizer and UndefinedBehaviorSanitizer, every fuzz target for a bounded time,
# and last the native test suite, whose summary line ends the run. Installs what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

export WINEDEBUG=-all
if [[ -z "${WINEPREFIX:-}" ]]; then
    # A prefix of this run's own (about 700 MB), gone when the run ends.
    WINEPREFIX="$(mktemp -d /tmp/vemora-wine.XXXXXX)"
    trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$WINEPREFIX"' EXIT
fi
export WINEPREFIX
fuzz_seconds="${VEMORA_FUZZ_SECONDS:-30}"

echo "== layers"
scripts/check-layers.sh

echo "== native build"
cmake --preset native >/dev/null
cmake --build --preset native

echo "== Windows build (mingw-w64) and its tests under Wine"
cmake --preset mingw >/dev/null
cmake --build --preset mingw
wineboot -i >/dev/null 2>&1 || true
ctest --preset mingw

echo "== unit tests under ASan and UBSan"
scripts/sanitize.sh

echo "== fuzz targets, ${fuzz_seconds} s each"
scripts/fuzz.sh "$fuzz_seconds"

echo "== native tests"
ctest --preset native
