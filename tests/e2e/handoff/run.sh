#!/usr/bin/env bash
# The hand-off under Wine: OK in Vemora.exe C2 beside the stand-in Jw_cad must send its windows
# expected/CASE.log and leave vemora-cli's ZTEMP.TXT.  run.sh VEMORA CLI STANDIN DRIVER SAMPLE_DIR
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
source "$here/../common.sh"
e2e_on_display 170 "$0" "$@"
vemora=$(readlink -f "$1") cli=$(readlink -f "$2") standin=$(readlink -f "$3") driver=$(readlink -f "$4")
sample=$(readlink -f "$5")
e2e_setup handoff-e2e

# wait_for_line FILE PATTERN SECONDS [PID]: false after SECONDS or once PID has ended without it.
wait_for_line() {
    local end=$((SECONDS + $3))
    until grep -qx -- "$2" "$1" 2>/dev/null; do
        ((SECONDS < end)) && kill -0 "${4:-$$}" 2>/dev/null || { grep -qx -- "$2" "$1" 2>/dev/null; return; }
        sleep 0.1
    done
}

mkdir -p "$work/cli/z"
cp "$sample/TEMP.TXT" "$work/cli/"
cli_z="$work/cli/z/ZTEMP.TXT"
timeout 60 wine "$cli" --dir "$(winpath "$work/cli")" --zfile "$(winpath "$work/cli/z")" C2 >/dev/null || true
[[ "$(utf8 "$cli_z" | tail -n 1)" == "h# "* ]] || fail "vemora-cli: no complete ZTEMP.TXT to compare with"

# A rewrite replaces the files OK writes.
written_state() { stat -c '%n %i %y' "$zfolder/ZTEMP.TXT" "$prog/Vemora.INI" "$prog/koumoku.INI" 2>&1; }

# hand_off CASE STANDIN_OPTION...: the driver script on standard input.
hand_off() {
    local name=$1 dir="$work/$1" prog="$work/$1/program" before=""
    shift
    mkdir -p "$prog"
    cp "$vemora" "$sample/TEMP.TXT" "$prog/"
    rm -f "$zfolder"/*
    cat >"$dir/driver.script"
    wine "$standin" --log "$(winpath "$dir/host.log")" --coordinate-file "$(winpath "$zfolder/ZTEMP.TXT")" \
        --snapshot "$(winpath "$dir/at-read.txt")" --quit-after 150000 "$@" &
    pids=("$!")
    wait_for_line "$dir/host.log" 'ready .*' 30 "${pids[0]}" || { fail "$name: the stand-in did not start"; return; }
    (cd "$prog" && exec wine "$prog/Vemora.exe" C2 >/dev/null 2>&1) &
    pids+=("$!")
    timeout 90 wine "$driver" "$(winpath "$dir/driver.script")" &
    pids+=("$!")
    wait_for_line "$dir/host.log" "$first_command" 60 "${pids[1]}" && before=$(written_state)
    wait "${pids[2]}" || fail "$name: the driver's script failed"
    wait_for_exit "${pids[1]}" 30 || fail "$name: Vemora.exe did not end by itself"
    [[ -n $before && $before == "$(written_state)" ]] && pass "$name: OK wrote its files once, before the hand-off" ||
        fail "$name: OK did not write its files once, before the hand-off"
    { kill "${pids[0]}" && wait "${pids[0]}"; } 2>/dev/null || true
    pids=()
    same "$name: the messages to Jw_cad's windows" "$here/expected/$name.log" "$dir/host.log"
    same "$name: ZTEMP.TXT when the read command arrived" "$cli_z" "$dir/at-read.txt"
    same "$name: ZTEMP.TXT left" "$cli_z" "$zfolder/ZTEMP.TXT"
}
first_command='main WM_COMMAND 32895 0'
failure_box=$(winpath "$here/expected/failure-box.txt")

# MFC 4.2 bars, the 条件設定 toolbar in the third.
hand_off classic --toolbar-in 3 <<<$'main\nclick 1405'

# Jw_cad slow: in the watchdog's box Retry hands off again, then the first hand-off goes on.
hand_off watchdog --toolbar-in 1 --slow-first-command 2500 <<<$'main\nclick 1405\n'"retrybox 4 $failure_box"

# A newer MFC's bar class, the toolbar in the second bar, no unit button.
hand_off newer --bar-class AfxControlBar140su --toolbar-in 2 --no-unit-button <<<$'main\nclick 1405'

# A second OK while Jw_cad is busy neither writes nor hands off again; Cancel leaves one hand-off.
hand_off second-ok --toolbar-in 3 --slow-first-command 2500 <<EOF
main
click 1405
log $(winpath "$work/second-ok/host.log") $first_command
click 1405
nolog $(winpath "$work/second-ok/host.log") unit WM_LBUTTONDOWN
retrybox 2 $failure_box
EOF

e2e_summary
