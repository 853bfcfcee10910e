#!/usr/bin/env bash
# End-to-end test of the hand-off under Wine: starts the stand-in Jw_cad, runs the probe
# (which writes the coordinate file and hands it off through the Win32 implementation) and
# compares what the stand-in received, in order, and the boxes the probe was shown.
#
#   run.sh STANDIN_EXE PROBE_EXE
#
# Needs wine and xvfb-run. Uses its own display and a fresh WINEPREFIX in a temporary folder,
# removed at the end; every wait is bounded; ends with "N passed, N failed".
set -euo pipefail

if [[ -z "${VEMORA_E2E_DISPLAY:-}" ]]; then
    exec timeout 540 xvfb-run -a env VEMORA_E2E_DISPLAY=1 bash "$0" "$@"
fi

standin=$(readlink -f "$1")
probe=$(readlink -f "$2")
work=$(mktemp -d /tmp/vemora-handoff-e2e.XXXXXX)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
host_pid=""

cleanup() {
    if [[ -n "$host_pid" ]]; then kill "$host_pid" 2>/dev/null || true; fi
    timeout 60 wineserver -w 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

winpath() { local p="${1//\//\\}"; echo "Z:$p"; }

# Polls until the file holds a line matching the pattern; false after `seconds`.
wait_for_line() {
    local file=$1 pattern=$2 seconds=$3
    local end=$((SECONDS + seconds))
    until [[ -f "$file" ]] && grep -q -- "$pattern" "$file"; do
        ((SECONDS < end)) || return 1
        sleep 0.2
    done
}

passed=0
failed=0
last_line='h# vemora hand-off end'

# What the stand-in logs for each step of a hand-off.
first_command='main WM_COMMAND 32895 0'
unit_click='unit WM_LBUTTONDOWN
unit WM_LBUTTONUP
dialog clicked 1068 unit'
read_press='dialog posted WM_COMMAND 1108 lparam=read file=complete
read WM_LBUTTONDOWN
read WM_LBUTTONUP
dialog clicked 1108 read'

# expect NAME FILE: the file must hold exactly the lines given on standard input.
expect() {
    local name=$1 file=$2 expected
    expected=$(cat)
    if [[ "$(cat "$file" 2>/dev/null)" == "$expected" ]]; then
        echo "ok   $name"
        passed=$((passed + 1))
    else
        echo "FAIL $name"
        diff <(echo "$expected") "$file" | sed 's/^/     /' || true
        failed=$((failed + 1))
    fi
}

# run_case NAME [stand-in options...] -- [probe options...]; leaves $dir/host.log and $dir/probe.log.
run_case() {
    local name=$1
    shift
    local host_args=()
    while [[ $# -gt 0 && $1 != -- ]]; do host_args+=("$1"); shift; done
    shift
    dir="$work/$name"
    mkdir -p "$dir"
    local zfile="$dir/ZTEMP.TXT"
    if [[ ${#host_args[@]} -gt 0 ]]; then
        wine "$standin" --log "$(winpath "$dir/host.log")" --coordinate-file "$(winpath "$zfile")" \
            --last-line "$last_line" --quit-after 120000 "${host_args[@]}" &
        host_pid=$!
        if ! wait_for_line "$dir/host.log" '^ready' 60; then
            echo "FAIL $name: the stand-in did not start"
            failed=$((failed + 1))
        fi
    fi
    timeout 120 wine "$probe" --log "$(winpath "$dir/probe.log")" --coordinate-file "$(winpath "$zfile")" \
        --last-line "$last_line" "$@" || echo "     $name: the probe ended with status $?"
    if [[ -n "$host_pid" ]]; then
        kill "$host_pid" 2>/dev/null || true
        wait "$host_pid" 2>/dev/null || true
        host_pid=""
    fi
    # The stand-in's "ready" line names its shape; the rest is compared.
    sed -i '/^ready /d' "$dir/host.log" 2>/dev/null || true
}

timeout 180 wineboot -i >/dev/null 2>&1 || true

# No Jw_cad: the probe is told to start it.
run_case absent --
expect "absent: the user is asked to start Jw_cad" "$dir/probe.log" <<'EOF'
start timer=thread
box Ok Exclamation modal title=
| jwwを起動してください
answer Ok
done
EOF

# Jw_cad with MFC 4.2 bars, the toolbar in the third: unit button, posted read command, read button.
run_case classic --toolbar-in 3 --
expect "classic: messages in order, file complete at the read command" "$dir/host.log" <<EOF
$first_command
$unit_click
$read_press
EOF
expect "classic: no box" "$dir/probe.log" <<'EOF'
start timer=thread
done
EOF

# A newer MFC build's bar class, no unit button; the watchdog timer on a window.
run_case newer --bar-class AfxControlBar140su --toolbar-in 2 --no-unit-button -- --timer-window
expect "newer bar class: found without the MFC 4.2 class" "$dir/host.log" <<EOF
$first_command
$read_press
EOF

# Jw_cad takes 2.5 s over its first command: the watchdog's box while the hand-off pumps;
# Retry hands off again (nested), then the interrupted hand-off goes on.
run_case watchdog --toolbar-in 1 --slow-first-command 2500 -- --answers Retry --timer-window
expect "watchdog: box and retry" "$dir/probe.log" <<'EOF'
start timer=window
box RetryCancel Exclamation system-modal title=
| 座標ファイル読み込みに失敗しました。
| 条件設定ツールバーを一度フローティ
| ング表示させ、再度ドッキングさせて、
| 再試行してみてください。
answer Retry
done
EOF
expect "watchdog: the retry's messages, then the rest of the first hand-off" "$dir/host.log" <<EOF
$first_command
$unit_click
$first_command
$unit_click
$read_press
$read_press
EOF

echo "$passed passed, $failed failed"
((failed == 0))
