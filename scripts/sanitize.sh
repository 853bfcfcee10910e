#!/usr/bin/env bash
# Builds the whole native project with AddressSanitizer and UndefinedBehaviorSanitizer
# (preset "sanitize") and runs every unit test once; any finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j2
ctest --preset sanitize
