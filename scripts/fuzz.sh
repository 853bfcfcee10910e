#!/usr/bin/env bash
# Runs every fuzz target (fuzz/) with AddressSanitizer and UndefinedBehaviorSanitizer: first
# the committed regression inputs (fuzz/regressions/<target>/), then fuzzing from the seed
# corpus (fuzz/corpus/<target>/) for a bounded time. Any finding fails the run; its input
# is saved under fuzz/regressions/<target>/, to be committed with the fix.
#
# Usage: scripts/fuzz.sh [seconds per target, default 30] [target ...]
# Longer runs: scripts/fuzz.sh 3600 exchange_fuzz. The corpus grown by a run is kept in
# build/fuzz-clang/corpus/<target>/ and used by the next run.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-30}"
[[ $# -gt 0 ]] && shift
all=(exchange_fuzz ini_fuzz tablefile_fuzz listfile_fuzz registry_fuzz selector_fuzz format_fuzz pipeline_fuzz)
targets=("${@:-${all[@]}}")
build="${VEMORA_FUZZ_BUILD:-build/fuzz-clang}"

command -v clang++ >/dev/null || { echo "fuzz.sh: clang++ is needed (apt-get install clang)" >&2; exit 1; }
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DVEMORA_FUZZ=ON -DVEMORA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target "${targets[@]}"

# The pipeline target writes its folders per run: keep them in memory where possible.
if [[ -d /dev/shm && -w /dev/shm ]]; then export TMPDIR=/dev/shm; fi
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

passed=0
failed=0
for target in "${targets[@]}"; do
    binary="$build/fuzz/$target"
    regressions="fuzz/regressions/$target"
    corpus="$build/corpus/$target"
    mkdir -p "$regressions" "$corpus"
    echo "== $target"
    log="$build/$target.regressions.log"
    mapfile -t inputs < <(find "$regressions" -type f ! -name '.*' | sort)
    if [[ ${#inputs[@]} -gt 0 ]] && ! "$binary" "${inputs[@]}" >"$log" 2>&1; then
        echo "$target: a regression input fails, see $log" >&2
    else
        log="$build/$target.log"
        dict=()
        [[ -f "fuzz/$target.dict" ]] && dict=("-dict=fuzz/$target.dict")
        if "$binary" "$corpus" "fuzz/corpus/$target" "${dict[@]}" -max_total_time="$seconds" -timeout=30 \
                -rss_limit_mb=4096 -artifact_prefix="$regressions/" -print_final_stats=1 >"$log" 2>&1; then
            echo "$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}') executions, clean"
            passed=$((passed + 1))
            continue
        fi
        echo "$target: finding saved in $regressions/, see $log" >&2
    fi
    grep -E -m5 'property failed|line lost|line written|runtime error|ERROR:' "$log" >&2 || tail -n 20 "$log" >&2
    failed=$((failed + 1))
done
echo "fuzz: $passed passed, $failed failed"
[[ $failed == 0 ]]
