#!/usr/bin/env bash
# Runs every batch file of the package under Wine's cmd in a Japanese locale (code page
# 932), with a stand-in for Vemora.exe (BatchProbe.cpp), and checks what cmd makes of it:
# TEMP.TXT becomes the copy of Jw_cad's JWC_TEMP.TXT, the program gets the word of the start
# line, a start with /w makes the batch (and so Jw_cad) wait for the program while one
# without goes on at once, and a failed copy starts nothing.
#   batch_run_test.sh PACKAGE_DIR PROBE_EXE
set -euo pipefail

package="$1"
probe="$2"
command -v wine >/dev/null || { echo "SKIP: wine is not installed"; exit 77; }

work="$(mktemp -d)"
# A private prefix: its Windows processes are this run's only, so waiting for them is exact.
export WINEDEBUG=-all WINEPREFIX="$work/prefix"
trap 'timeout 30 wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
wineboot -i >/dev/null 2>&1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The folder a user installs: the batch file beside Vemora.exe, Jw_cad's JWC_TEMP.TXT as #cd
# makes it, a TEMP.TXT left by an earlier run. The batch gets one more line, which tells the
# probe that the batch went on, and an ASCII name: Wine passes Japanese names to cmd only
# when the machine has a Japanese Unix locale. Each folder is added to the driver that cmd
# runs, which goes into it and calls the batch as Jw_cad would.
#   setup FOLDER BATCH
setup() {
    local dir="$work/$1"
    mkdir -p "$dir"
    { cat "$package/$2"; printf 'echo.> after.txt\r\n'; } >"$dir/run.BAT"
    cp "$probe" "$dir/Vemora.exe"
    printf 'hq\r\nhs 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100\r\n#\r\n' >"$dir/JWC_TEMP.TXT"
    printf 'an earlier run\r\n' >"$dir/TEMP.TXT"
    printf 'cd /d Z:%s\r\ncall run.BAT\r\n' "${dir//\//\\}" >>"$work/driver.cmd"
}

# One cmd for all folders (each Wine start costs seconds), on a Japanese system. Its exit
# status is that of the last batch, which the checks below do not need.
run_driver() {
    (cd "$work" && LC_ALL=ja_JP.UTF-8 wine cmd /c driver.cmd >/dev/null 2>&1) || true
    rm "$work/driver.cmd"
}

wait_for() {
    local i
    for ((i = 0; i < 200; i++)); do
        [[ -f "$1" ]] && return 0
        sleep 0.1
    done
    return 1
}

names=()
for path in "$package"/*.BAT; do
    names+=("$(basename "$path")")
    setup "run-${#names[@]}" "${names[-1]}"
done
((${#names[@]} > 0)) || { echo "FAIL: no batch file in $package"; exit 1; }
cp "$work/run-1/JWC_TEMP.TXT" "$work/exchange"
run_driver

for i in "${!names[@]}"; do
    name="${names[i]}"
    dir="$work/run-$((i + 1))"
    start="$(tr -d '\r' <"$package/$name" | grep -i '^start ' || true)"
    [[ -n "$start" ]] || { fail "$name starts nothing"; continue; }
    word="${start##* }"
    expected="went on"
    [[ " ${start,,} " == *" /w "* || " ${start,,} " == *" /wait "* ]] && expected="waited"
    if wait_for "$dir/done.txt"; then
        [[ "$(cat "$dir/done.txt")" == "$expected" ]] || fail "$name: the batch $(cat "$dir/done.txt"), expected: $expected"
    else
        fail "$name: Vemora did not run"
    fi
    [[ "$(cat "$dir/started.txt" 2>/dev/null)" == "$word" ]] || fail "$name: Vemora did not get the word $word"
    cmp -s "$dir/TEMP.TXT" "$work/exchange" || fail "$name: TEMP.TXT is not the copy of JWC_TEMP.TXT"
done

# Jw_cad's file missing: the copy fails and Vemora must not start on the earlier TEMP.TXT.
for i in "${!names[@]}"; do
    setup "missing-$i" "${names[i]}"
    rm "$work/missing-$i/JWC_TEMP.TXT"
done
run_driver
timeout 30 wineserver -w || true  # a program started without waiting has ended too
for i in "${!names[@]}"; do
    [[ -f "$work/missing-$i/started.txt" ]] && fail "${names[i]}: started Vemora although the copy failed"
done

if ((failures)); then
    echo "batch_run_test: $failures failure(s)"
    exit 1
fi
echo "batch_run_test: ${#names[@]} batch files behave"
