#!/usr/bin/env bash
# batch_run_test.sh PACKAGE_DIR PROBE_EXE: runs each batch file of the package under Wine's cmd with batch_probe
# as Vemora.exe: TEMP.TXT becomes the copy of Jw_cad's JWC_TEMP.TXT, Vemora gets the word of the start line, a
# start with /w keeps the batch (and so Jw_cad) waiting while one without goes on, a failed copy starts nothing.
set -euo pipefail
command -v wine >/dev/null || { echo "SKIP: wine is not installed"; exit 77; }
work="$(mktemp -d)"
export WINEDEBUG=-all WINEPREFIX="$work/prefix"
trap 'timeout 30 wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
wineboot -i >/dev/null 2>&1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Per batch file a folder as installed, with the TEMP.TXT of an earlier run, and one without JWC_TEMP.TXT.
# The batch gets an ASCII name (Wine passes Japanese names to cmd only under a Japanese Unix locale) and a
# last line that writes after.txt: before the probe's done.txt if the batch went on, after it if it waited.
# One cmd runs them all, since each Wine start costs seconds.
printf 'hq\r\nhs 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100\r\n#\r\n' >"$work/exchange"
names=()
for batch in "$1"/*.BAT; do
    names+=("$(basename "$batch")")
    for dir in "$work/run-${#names[@]}" "$work/missing-${#names[@]}"; do
        mkdir "$dir" && cp "$2" "$dir/Vemora.exe" && printf 'an earlier run\r\n' >"$dir/TEMP.TXT"
        { cat "$batch"; printf 'echo.> after.txt\r\n'; } >"$dir/run.BAT"
        printf 'cd /d Z:%s\r\ncall run.BAT\r\n' "${dir//\//\\}" >>"$work/driver.cmd"
    done
    cp "$work/exchange" "$work/run-${#names[@]}/JWC_TEMP.TXT"
done
((${#names[@]})) || { echo "FAIL: no batch file in $1"; exit 1; }
(cd "$work" && LC_ALL=ja_JP.UTF-8 wine cmd /c driver.cmd >/dev/null 2>&1) || true
timeout 60 wineserver -w || true  # the programs started without /w end too

for i in "${!names[@]}"; do
    name="${names[i]}" dir="$work/run-$((i + 1))"
    start="$(tr -d '\r' <"$1/$name" | grep -i '^start ')" || { fail "$name starts nothing"; continue; }
    [[ -f "$dir/done.txt" && -f "$dir/after.txt" ]] || { fail "$name: Vemora or the batch did not run"; continue; }
    [[ " ${start,,} " == *" /w "* ]] && order=(after done) || order=(done after)
    [[ "$dir/${order[0]}.txt" -nt "$dir/${order[1]}.txt" ]] || fail "$name: wrong order of after.txt, done.txt: $start"
    [[ "$(cat "$dir/started.txt" 2>/dev/null)" == "${start##* }" ]] || fail "$name: Vemora did not get ${start##* }"
    cmp -s "$dir/TEMP.TXT" "$work/exchange" || fail "$name: TEMP.TXT is not the copy of JWC_TEMP.TXT"
    [[ ! -e "$work/missing-$((i + 1))/started.txt" ]] || fail "$name: started Vemora although the copy failed"
done
((failures == 0)) || { echo "batch_run_test: $failures failure(s)"; exit 1; }
echo "batch_run_test: ${#names[@]} batch files behave"
