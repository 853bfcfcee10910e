#!/usr/bin/env bash
# Runs every fuzz target (fuzz/) with AddressSanitizer and UndefinedBehaviorSanitizer: first
# the committed regression inputs (fuzz/regressions/<target>/), then fuzzing for a bounded
# time from seeds: the test fixtures of tests/data, gathered at run time, and for the targets
# whose inputs are no files the small corpus in fuzz/corpus/<target>/. Any finding fails the run; its input
# is saved under fuzz/regressions/<target>/, to be committed with the fix.
#
# Usage: scripts/fuzz.sh [seconds per target, default 30] [target ...]
# Longer runs: scripts/fuzz.sh 3600 exchange_fuzz. The corpus grown by a run is kept in
# build/fuzz-clang/corpus/<target>/ and used by the next run.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-30}"
[[ $# -gt 0 ]] && shift
all=(exchange_fuzz ini_fuzz tablefile_fuzz selector_fuzz format_fuzz pipeline_fuzz)
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

# seeds TARGET FOLDER: copies the fixtures of tests/data that are inputs of the target into
# the folder. The pipeline's input is a folder in parts separated by \x1e: the mode word,
# TEMP.TXT, Vemora.INI, koumoku.INI, vemora.lst, a table file and a registry export.
seeds() {
    local target=$1 folder=$2 f word
    case $target in
        exchange_fuzz) find tests/data -iname '*temp.txt' ;;
        ini_fuzz) find tests/data -iname '*.ini' ;;
        tablefile_fuzz) find tests/data \( -iname '*.ini' -o -iname '*.jhy' \) ;;
        *) ;;
    esac | while IFS= read -r f; do cp "$f" "$folder/${f//\//_}"; done
    [[ $target == pipeline_fuzz ]] || return 0
    part() { [[ -f $1 ]] && cat "$1"; printf '\x1e'; }
    for f in tests/data/cli/*/TEMP.TXT tests/data/samples/*/TEMP.TXT; do
        local dir=${f%/TEMP.TXT}
        for word in C2 C1 M3 M4 M5 M6 M7 ""; do
            {
                printf '%s\x1e' "$word"
                part "$f"; part "$dir/Vemora.INI"; part "$dir/koumoku.INI"; part "$dir/vemora.lst"
                part tests/data/hostile/count-99.JHY
                cat tests/data/cli/jw.reg
            } >"$folder/$(basename "$dir")-${word:-none}"
        done
    done
}

passed=0
failed=0
for target in "${targets[@]}"; do
    binary="$build/fuzz/$target"
    regressions="fuzz/regressions/$target"
    corpus="$build/corpus/$target"
    seeded="$build/seeds/$target"
    rm -rf "$seeded"
    mkdir -p "$regressions" "$corpus" "$seeded"
    seeds "$target" "$seeded"
    committed=()
    [[ -d fuzz/corpus/$target ]] && committed=("fuzz/corpus/$target")
    echo "== $target"
    log="$build/$target.regressions.log"
    mapfile -t inputs < <(find "$regressions" -type f ! -name '.*' | sort)
    if [[ ${#inputs[@]} -gt 0 ]] && ! "$binary" "${inputs[@]}" >"$log" 2>&1; then
        echo "$target: a regression input fails, see $log" >&2
    else
        log="$build/$target.log"
        dict=()
        [[ -f "fuzz/$target.dict" ]] && dict=("-dict=fuzz/$target.dict")
        if "$binary" "$corpus" "$seeded" "${committed[@]}" "${dict[@]}" -max_total_time="$seconds" -timeout=30 \
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
