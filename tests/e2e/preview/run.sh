#!/usr/bin/env bash
# The preview under Wine: opened on the office sample (C2, no solid check findings: no line for
# them), it follows a gap and a rounding changed on the settings panel; then 合計行 and OK.
# run.sh VEMORA_EXE DRIVER_EXE
# Screenshots before and after are kept in $VEMORA_E2E_SHOTS when set.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
source "$here/../common.sh"
e2e_on_display 300 "$0" "$@"
vemora=$(readlink -f "$1") driver=$(readlink -f "$2")
e2e_setup preview-e2e
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1  # frames drawn by Wine
prog="$work/c2" shots=${VEMORA_E2E_SHOTS:-$work}
mkdir -p "$prog" "$shots"
cp "$vemora" "$here/../../data/samples/office/TEMP.TXT" "$prog/"
sjis <"$here/../window/input/vemora.lst" >"$prog/vemora.lst"
(cd "$prog" && exec wine "$prog/Vemora.exe" /C2 >/dev/null 2>&1) &
pids=("$!")

# step NAME: the driver script on standard input, then a screenshot of the display.
step() {
    cat >"$prog.script"
    timeout 120 wine "$driver" "$(winpath "$prog.script")" || fail "$1: the window did not take the step"
    import -display "$DISPLAY" -window root "$shots/preview-$1.png"
}

step before <<EOF
main
visible 1414 0
click 1409
pixels VemoraPreview $(winpath "$work/before.bmp")
EOF
step after <<EOF
main
menu 2009
visible 1500 1
key 1507 35
type 1507 $(printf '\b')4
text 1507 4
key 1503 115
key 1503 40
key 1503 13
text 1201 84.00
pixels VemoraPreview $(winpath "$work/after.bmp")
EOF
step total <<EOF
main
click 1547
pixels VemoraPreview $(winpath "$work/total.bmp")
EOF
for b in before after total; do convert "$work/$b.bmp" "$shots/preview-window-$b.png"; done
[[ -s $work/before.bmp ]] && ! cmp -s "$work/before.bmp" "$work/after.bmp" &&
    pass "the preview follows the gap and the rounding" || fail "the preview did not change"
! cmp -s "$work/after.bmp" "$work/total.bmp" && pass "the preview shows 合計行" || fail "合計行 not previewed"
printf '%s\n' main "click 1546" "click 1405" "box 1 jwwを起動してください" >"$prog.script"
timeout 120 wine "$driver" "$(winpath "$prog.script")" || fail "OK was not taken"
wait_for_exit "${pids[0]}" 30 || fail "Vemora did not end after OK"
pids=()
same "OK draws the previewed table with its total row" <(sjis <"$here/expected/ZTEMP.TXT") "$zfolder/ZTEMP.TXT"
grep -q $'^Goukei=1\r$' "$prog/Vemora.INI" && pass "Goukei=1 saved" || fail "Goukei=1 not saved"
e2e_summary
