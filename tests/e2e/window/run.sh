#!/usr/bin/env bash
# Journeys of Vemora.exe under Wine, one per mode.  run.sh VEMORA_EXE DRIVER_EXE PACKAGE_DIR VERSION
# Pictures of the solid check's findings line and list are kept in $VEMORA_E2E_SHOTS when set.
set -euo pipefail
shopt -s nullglob
here=$(dirname "$(readlink -f "$0")")
source "$here/../common.sh"
e2e_on_display 540 "$0" "$@"
vemora=$(readlink -f "$1") driver=$(readlink -f "$2") package=$(readlink -f "$3") version=$4
e2e_setup window-e2e
shots=${VEMORA_E2E_SHOTS:-$work}
mkdir -p "$shots"

# journey NAME WORD TEMP [FILE...]: Vemora.exe WORD in a folder with input/TEMP and FILEs, driven by
# the script on standard input; the files written must be expected/NAME/* and $work/want/NAME/*.
# A WORD naming a batch file runs that batch as Jw_cad does: input/TEMP is Jw_cad's JWC_TEMP.TXT.
journey() {
    local name=$1 word=$2 temp=$3 prog="$work/$1" want="$work/want/$1" f written expected exchange=TEMP.TXT
    local start=("$prog/Vemora.exe" $word)
    mkdir -p "$prog" "$want"
    cp "$vemora" "${@:4}" "$prog/"
    sjis <"$here/input/vemora.lst" >"$prog/vemora.lst"
    # An ASCII name: Wine passes Japanese names to cmd only under a Japanese Unix locale.
    if [[ $word == *.BAT ]]; then cp "$word" "$prog/run.BAT" && exchange=JWC_TEMP.TXT start=(cmd /c run.BAT); fi
    [[ -z $temp ]] || sjis <"$here/input/$temp" >"$prog/$exchange"
    for f in "$here/expected/$name"/*; do sjis <"$f" >"$want/${f##*/}"; done
    rm -f "$zfolder"/*
    cat >"$prog.script"
    (cd "$prog" && exec wine "${start[@]}" >/dev/null 2>&1) &
    pids=("$!")
    timeout 120 wine "$driver" "$(winpath "$prog.script")" && wait_for_exit "${pids[0]}" 30 ||
        { fail "$name: the window did not take the journey"; wineserver -k 2>/dev/null || true; }
    pids=()
    mv "$zfolder"/* "$prog/" 2>/dev/null || true
    written=$(cd "$prog" && ls | grep -vxE 'Vemora.exe|vemora.lst|TEMP.TXT|run.BAT' | paste -sd' ' || true)
    expected=$(ls "$want" | paste -sd' ')
    [[ $written == "$expected" ]] && pass "$name: wrote [$written]" || fail "$name: wrote [$written], not [$expected]"
    for f in "$want"/*; do same "$name: ${f##*/}" "$f" "$prog/${f##*/}"; done
}

# C2: the overlap of rows 1 and 3 shows under the table; the settings panel keeps Tab and blocks OK;
# Enter walks rows; Tab reaches the cells, Enter or F2 opens them, Esc puts them back; a unit picked
# converts on screen; no horizontal lines.
mkdir -p "$work/want/c2"
sed 's/^Yokosen=1\r$/Yokosen=0\r/' "$package/Vemora.INI" >"$work/want/c2/Vemora.INI"
journey c2 /C2 TEMP.TXT < <(
    printf '%s\n' main "caption Vemora【新規表-面積測定モード】" "text 1414 重なり 1か所 0.500㎡" "visible 1415 1"
    printf '%s\n' "text 1203 0.500" "menu 2009" "focus 1546" "enabled 1405 0"
    for _ in $(seq 30); do printf '%s\n' "key 0 9" "focus 1500"; done
    cat <<'EOF'
key 0 27
visible 1500 0
enabled 1405 1
click 1101
type 1407 居室
key 1407 13
type 1407 廊下
click 1400
focus 1400
key 0 9
focus 1101
key 0 13
type 0 倉庫
text 1101 倉庫
key 0 27
text 1101 居室
focus 1101
key 0 113
key 0 9
focus 1201
visible 1407 0
key 0 9
key 0 113
type 0 坪,0.3025
text 1301 坪
key 0 27
text 1301 m^2
text 1201 15.000
click 1303
key 1408 115
key 1408 40
key 1408 13
text 1203 0.151
menu 2009
click 1532
click 1546
visible 1500 0
type 1400 面積表
click 1405
box 1 jwwを起動してください
EOF
)

# C1: the previous table; a long name shows whole in its tooltip; コピー & OK fills the clipboard.
long_name=第一会議室兼応接室および倉庫
mkdir -p "$work/want/c1"
cp "$package/Vemora.INI" "$work/want/c1/"
journey c1 /C1 previous-TEMP.TXT "$work/c2/koumoku.INI" "$package/Vemora.INI" <<EOF
main
caption Vemora【前回表使用-面積測定モード】
click 1104
type 1407 $long_name
click 1400
visible 1407 0
hover 1104 $long_name
click 1406
clipboard $(winpath "$here/expected/c1-clipboard.txt")
box 1 jwwを起動してください
EOF

# M3: a right swatch recoloured in the colour dialog.  M5: row 1 dragged onto row 3.
journey m3 /M3 TEMP.TXT <<'EOF'
main
caption Vemora【色変更モード】
visible 1414 0
click 1018
colour 255 255 0
click 1405
EOF

journey m5 /M5 TEMP.TXT <<'EOF'
main
caption Vemora【重なり変更モード-正順描画】
drag 1 3
text 1201 0.500
click 1405
EOF

# CK from its batch file, which waits for Vemora: the findings line; their list opened by the button,
# closed by Esc, opened by Enter and Space on the button, Tab going on to 閉じる, which Enter presses;
# the button last in the main window's Tab order. OK leaves in JWC_TEMP.TXT every line Jw_cad sent
# after "hq", byte for byte, then the markers at the overlap, the bow-tie and the empty solid.
journey ck "$package/ソリッドチェック.BAT" check-TEMP.TXT <<EOF
main
caption Vemora【ソリッドチェックモード】
text 1414 重なり 1か所 0.250㎡ ／ ねじれ 1 ／ 面積0 1
click 1415
pixels VemoraFindings $(winpath "$shots/ck-findings.bmp")
pixels VemoraMain $(winpath "$shots/ck-main.bmp")
focus 1600
key 0 27
visible 1600 0
focus 1415
key 0 13
visible 1600 1
focus 1600
key 0 9
focus 1601
key 0 13
visible 1600 0
focus 1415
key 0 32
visible 1600 1
focus 1600
key 0 27
visible 1600 0
focus 1415
key 0 9
focus 1400
click 1405
EOF

# Without findings the check says so and leaves Jw_cad's file as it was, "hq" first: nothing is drawn.
journey ck-none "$package/ソリッドチェック.BAT" apart-TEMP.TXT <<'EOF'
main
visible 1414 0
click 1405
box 1 重なり・ねじれ・面積0のソリッドはありません。
EOF

# No word: the swap button hidden from the start; a colour names the layer.
journey layer "" "" <<'EOF'
main
visible 1402 0
caption 【レイヤ名設定モード】
click 1001
colour 255 128 0
type 1400 0
text 1400 0
click 1405
box 1 jwwを起動してください
EOF

# 終了 after the About box writes nothing.
journey exit /M3 TEMP.TXT <<EOF
main
menu 2010
box 1 ﾊﾞｰｼﾞｮﾝ $version
menu 2003
EOF

if [[ -n ${VEMORA_E2E_SHOTS:-} ]]; then for b in "$shots"/*.bmp; do convert "$b" "${b%.bmp}.png"; done; fi
e2e_summary
