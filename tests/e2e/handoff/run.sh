#!/usr/bin/env bash
# End-to-end test of the hand-off under Wine with the real program: the stand-in Jw_cad runs,
# Vemora.exe C2 measures a sample drawing, the driver presses OK, and the stand-in's log shows
# what reached Jw_cad's windows, in order. The coordinate file as the stand-in found it when the
# read command arrived must equal the one vemora-cli writes for the same program folder.
#
#   run.sh VEMORA_EXE CLI_EXE STANDIN_EXE DRIVER_EXE SAMPLE_FOLDER
#
# Needs wine and xvfb-run. Uses its own display and a fresh WINEPREFIX in a temporary folder,
# removed at the end; every wait is bounded; ends with "N passed, N failed".
set -euo pipefail

source "$(dirname "$(readlink -f "$0")")/../common.sh"
e2e_on_display 170 "$0" "$@"

vemora=$(readlink -f "$1")
cli=$(readlink -f "$2")
standin=$(readlink -f "$3")
driver=$(readlink -f "$4")
sample=$(readlink -f "$5")
e2e_setup handoff-e2e

# Waits until the file holds a line that is `text`; false after `seconds`, or once the process
# `pid` (when given) has ended without it being there.
wait_for_line() {
    local file=$1 text=$2 seconds=$3 pid=${4:-}
    local end=$((SECONDS + seconds))
    until grep -qxF -- "$text" "$file" 2>/dev/null; do
        if ((SECONDS >= end)) || { [[ -n "$pid" ]] && ! kill -0 "$pid" 2>/dev/null; }; then
            grep -qxF -- "$text" "$file" 2>/dev/null
            return
        fi
        sleep 0.1
    done
}

# Ends the stand-in and forgets this run's processes (all ended by now).
stop() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
    pids=()
}

# Inode and modification time of each file OK writes: a rewrite replaces the file.
written_state() { stat -c '%n %i %y' "$zfolder/ZTEMP.TXT" "$prog/Vemora.INI" "$prog/koumoku.INI" 2>&1; }

# The program folder as Jw_cad's external transformation leaves it: the program and the selection.
fresh_program_folder() {
    mkdir -p "$1"
    cp "$vemora" "$1/Vemora.exe"
    cp "$sample/TEMP.TXT" "$1/TEMP.TXT"
}

# What vemora-cli writes for the same folder is what Jw_cad must find when it reads.
fresh_program_folder "$work/cli"
mkdir -p "$work/cli-z"
expected_z="$work/cli-z/ZTEMP.TXT"
if ! timeout 60 wine "$cli" --dir "$(winpath "$work/cli")" --zfile "$(winpath "$work/cli-z")" C2 >/dev/null ||
    [[ "$(utf8 "$expected_z" | tail -n 1)" != "h# "* ]]; then
    fail "vemora-cli: no complete ZTEMP.TXT to compare with"
fi

# The stand-in's log of a run, as Windows programs name it.
host_log() { winpath "$work/$1/host.log"; }

# hand_off NAME [stand-in options...]: starts the stand-in with the options in a fresh folder
# $dir, then Vemora.exe C2 in a fresh program folder $prog, and runs the driver script on
# standard input against it. Checks that the script ran, that Vemora.exe ended by itself, and
# that OK wrote its files only once (their state when the hand-off's first command arrived and
# at the end are the same). Leaves $dir/host.log without its "ready" line, and $dir/at-read.txt,
# the coordinate file as it was when the last read command arrived.
hand_off() {
    local name=$1
    shift
    dir="$work/$name"
    prog="$dir/program"
    mkdir -p "$dir"
    fresh_program_folder "$prog"
    rm -f "$zfolder"/*
    local log="$dir/host.log" script="$dir/driver.script"
    cat >"$script"

    wine "$standin" --log "$(host_log "$name")" --coordinate-file "$(winpath "$zfolder/ZTEMP.TXT")" \
        --snapshot "$(winpath "$dir/at-read.txt")" --quit-after 150000 "$@" &
    local host=$!
    pids+=("$host")
    if ! wait_for_line "$log" "ready bars=$(standin_shape "$@")" 30 "$host"; then
        fail "$name: the stand-in did not start"
        stop "$host"
        return
    fi

    (cd "$prog" && exec wine "$prog/Vemora.exe" C2 >/dev/null 2>&1) &
    local program=$!
    pids+=("$program")
    timeout 90 wine "$driver" "$(winpath "$script")" &
    local driving=$!
    pids+=("$driving")

    local before=""
    wait_for_line "$log" "$first_command" 60 "$program" && before=$(written_state)
    wait "$driving" && pass "$name: the driver's script ran" || fail "$name: the driver's script failed"
    wait_for_exit "$program" 30 && pass "$name: Vemora.exe ended by itself" || fail "$name: Vemora.exe did not end"
    if [[ -z "$before" ]]; then
        fail "$name: no hand-off reached the stand-in"
    elif [[ "$before" == "$(written_state)" ]]; then
        pass "$name: OK wrote its files once"
    else
        fail "$name: OK wrote its files again during the hand-off"
        diff <(echo "$before") <(written_state) | sed 's/^/     /' || true
    fi
    stop "$host"
    sed -i '/^ready /d' "$log"
}

# The stand-in's "ready" line for its options: bar class, bar count and the toolbar's bar.
standin_shape() {
    local class=AfxControlBar42s bars=3 toolbar_in=3
    while [[ $# -gt 0 ]]; do
        case $1 in
            --bar-class) class=$2; shift ;;
            --bars) bars=$2; shift ;;
            --toolbar-in) toolbar_in=$2; shift ;;
        esac
        shift
    done
    echo "${class}x$bars toolbar-in=$toolbar_in"
}

# expect_log NAME: the stand-in's log holds exactly the lines on standard input.
expect_log() {
    local name=$1 expected
    expected=$(cat)
    if [[ "$(cat "$dir/host.log")" == "$expected" ]]; then
        pass "$name"
    else
        fail "$name"
        diff <(echo "$expected") "$dir/host.log" | sed 's/^/     /' || true
    fi
}

# expect_coordinate_file NAME: the file read at the read command, and the one left in the
# coordinate-file folder, are byte for byte what vemora-cli wrote.
expect_coordinate_file() {
    local name=$1 file
    for file in "$dir/at-read.txt" "$zfolder/ZTEMP.TXT"; do
        if [[ ! -f "$file" ]]; then
            fail "$name: no $(basename "$file")"
            return
        elif ! cmp -s "$expected_z" "$file"; then
            fail "$name: $(basename "$file") differs from vemora-cli's ZTEMP.TXT"
            diff <(utf8 "$expected_z") <(utf8 "$file") | head -n 20 | sed 's/^/     /' || true
            return
        fi
    done
    pass "$name: ZTEMP.TXT complete when the read command arrived"
}

# What the stand-in logs for each step of a hand-off (hand_off waits for the first command).
first_command='main WM_COMMAND 32895 0'
unit_click='unit WM_LBUTTONDOWN
unit WM_LBUTTONUP
dialog clicked 1068 unit'
read_press='dialog posted WM_COMMAND 1108 lparam=read file=complete
read WM_LBUTTONDOWN
read WM_LBUTTONUP
dialog clicked 1108 read'
failure_box='座標ファイル読み込みに失敗しました。\r\n条件設定ツールバーを一度フローティ\r\nング表示させ、再度ドッキングさせて、\r\n再試行してみてください。'

# ---- MFC 4.2 control bars, the 条件設定 toolbar in the third: the unit button, the posted read
# command with the read button's window, the read button.
hand_off classic --toolbar-in 3 <<'EOF'
main
caption Vemora【新規表-面積測定モード】
click 1405
EOF
expect_log "classic: the messages in order, the toolbar in the third bar" <<EOF
$first_command
$unit_click
$read_press
EOF
expect_coordinate_file classic

# ---- Jw_cad takes 2.5 s over its first command: the watchdog's box while the hand-off pumps;
# Retry hands off again (nested), then the interrupted hand-off goes on.
hand_off watchdog --toolbar-in 1 --slow-first-command 2500 <<EOF
main
click 1405
retrybox 4 $failure_box
EOF
expect_log "watchdog: the retry's messages, then the rest of the first hand-off" <<EOF
$first_command
$unit_click
$first_command
$unit_click
$read_press
$read_press
EOF
expect_coordinate_file watchdog

# ---- A newer MFC build's control-bar class, the toolbar in the second bar, no unit button.
hand_off newer --bar-class AfxControlBar140su --toolbar-in 2 --no-unit-button <<'EOF'
main
click 1405
EOF
expect_log "newer: the bars of a newer MFC class, only the read button" <<EOF
$first_command
$read_press
EOF
expect_coordinate_file newer

# ---- A second OK while Jw_cad is still busy with the first command: its click waits in the
# queue until the hand-off pumps, and must neither write nor hand off again. Cancel in the
# watchdog's box leaves exactly one hand-off.
hand_off second-ok --toolbar-in 3 --slow-first-command 2500 <<EOF
main
click 1405
log $(host_log second-ok) $first_command
click 1405
nolog $(host_log second-ok) unit WM_LBUTTONDOWN
retrybox 2 $failure_box
EOF
expect_log "second-ok: one hand-off" <<EOF
$first_command
$unit_click
$read_press
EOF
expect_coordinate_file second-ok

e2e_summary
