#!/usr/bin/env bash
# End-to-end journeys of Vemora.exe under Wine, as a user would take them: each journey starts
# the real program with a mode word in a fresh program folder, drives its window with the
# driver program (clicks, typing, the real mouse for drags, message boxes, the colour dialog)
# and compares the files the program wrote with the literal texts below.
#
#   run.sh VEMORA_EXE DRIVER_EXE PACKAGE_DIR VERSION
#
# Needs wine and xvfb-run. Uses its own display and a fresh WINEPREFIX in a temporary folder,
# removed at the end; every wait is bounded; ends with "N passed, N failed".
set -euo pipefail

source "$(dirname "$(readlink -f "$0")")/../common.sh"
e2e_on_display 540 "$0" "$@"

vemora=$(readlink -f "$1")
driver=$(readlink -f "$2")
package=$(readlink -f "$3")
version=$4
e2e_setup window-e2e

# expect NAME FILE: the file must hold exactly the text on standard input, in code page 932
# with CR LF after every line.
expect() {
    local name=$1 file=$2 expected="$work/expected.txt"
    cat >"$expected"
    if [[ ! -f "$file" ]]; then
        fail "$name: $(basename "$file") not written"
    elif utf8 "$file" | cmp -s - "$expected" && ! grep -qv $'\r$' "$file" && [[ $(tail -c 1 "$file") == "" ]]; then
        pass "$name"
    else
        fail "$name"
        diff "$expected" <(utf8 "$file") | sed 's/^/     /' || true
    fi
}

# expect_none NAME FILE...: none of the files exists.
expect_none() {
    local name=$1 f
    shift
    for f in "$@"; do
        if [[ -e "$f" ]]; then
            fail "$name: $(basename "$f") written"
            return
        fi
    done
    pass "$name"
}

# A fresh program folder $prog holding Vemora.exe and the list file; the journey adds the rest.
new_folder() {
    prog="$work/$1"
    mkdir -p "$prog"
    cp "$vemora" "$prog/Vemora.exe"
    rm -f "$zfolder"/*
    write_list_file "$prog"
}

# drive NAME WORD: starts Vemora.exe with the mode word (none when empty), runs the driver
# script given on standard input and waits (bounded) for the program to end by itself.
drive() {
    local name=$1 word=$2 script="$prog/../$1.script"
    cat >"$script"
    (cd "$prog" && exec wine "$prog/Vemora.exe" $word >/dev/null 2>&1) &
    pids=("$!")
    local ok=1
    timeout 120 wine "$driver" "$(winpath "$script")" || ok=0
    wait_for_exit "${pids[0]}" 30 || ok=0
    pids=()
    ((ok)) && pass "$name: the window took the journey and closed" || fail "$name: the window did not take the journey"
}

# ---- C2: a new measurement. Two names typed in the item editor (Enter walks on), a unit
# picked from the list with Enter, a title, OK; the hand-off finds no Jw_cad.
new_folder c2
write_sample_temp "$prog"
drive c2 /C2 <<'EOF_SCRIPT'
main
caption Vemora【新規表-面積測定モード】
text 1201 15.000
text 1202 2.000
text 1203 0.500
click 1101
visible 1407 1
type 1407 居室
text 1101 居室
key 1407 13
text 1407 ""
type 1407 廊下
text 1102 廊下
click 1303
text 1408 m^2,1
key 1408 115
key 1408 40
key 1408 13
text 1303 坪
text 1203 0.151
text 1408 ""
type 1400 面積表
click 1405
box 1 jwwを起動してください
EOF_SCRIPT
expect "c2: ZTEMP.TXT" "$zfolder/ZTEMP.TXT" <<'EOF_TEXT'
#
bz
lc5
ly9
lt1
r1
0 -19.5
52.25 0
0 19.5
-52.25 0
r0
lc2
ly9
lt1
24 0 24 -19.5
33 0 33 -19.5
44.5 0 44.5 -19.5
lc2
ly9
lt1
0 -6.5 52.25 -6.5
0 -13 52.25 -13
cn3
ch 1 1 2 0"面積表
ly9
ch 26 -4.5 1 0 "居室
ch 35 -4.5 1 0 "15.000
ch 46.5 -4.5 1 0 "m^2
ly9
lc10 255
sl 12 -4.5 12 -2 22 -2 22 -4.5
lc10 255
sl 2 -4.5 2 -2 12 -2 12 -4.5
ly9
ch 26 -11 1 0 "廊下
ch 35 -11 1 0 " 2.000
ch 46.5 -11 1 0 "m^2
ly9
lc10 65280
sl 12 -11 12 -8.5 22 -8.5 22 -11
lc10 65280
sl 2 -11 2 -8.5 12 -8.5 12 -11
ly9
ch 35 -17.5 1 0 " 0.151
ch 46.5 -17.5 1 0 "坪
ly9
lc10 16711680
sl 12 -17.5 12 -15 22 -15 22 -17.5
lc10 16711680
sl 2 -17.5 2 -15 12 -15 12 -17.5
h# 3色 4個のソリッド図形の面積を測定・作表しました。 
EOF_TEXT
# The settings file OK saves for the defaults is the one the package ships.
expect "c2: Vemora.INI" "$prog/Vemora.INI" < <(utf8 "$package/Vemora.INI")
# An item table (koumoku.INI): the count, then per row its colour (empty rows white), name
# and unit entry; "-" stands for an empty name or unit.
item_table() {
    local count=$1 i
    local -a colours=($2) names=($3) units=($4)
    echo "[koumokusuu]"
    echo "koumokusuu=$count"
    echo "[Solid]"
    for i in $(seq 0 15); do
        echo "Solidclr_$((i + 1))=${colours[i]:-16777215}"
        echo "Solidclr_$((i + 17))=${colours[i]:-16777215}"
    done
    echo "[koumoku]"
    for i in $(seq 0 15); do local n=${names[i]:--}; echo "koumoku_$((i + 1))=${n#-}"; done
    echo "[tani]"
    for i in $(seq 0 15); do local u=${units[i]:--}; echo "tani_$((i + 1))=${u#-}"; done
}
expect "c2: koumoku.INI" "$prog/koumoku.INI" < <(item_table 3 "255 65280 16711680" "居室 廊下" "m^2,1 m^2,1 坪,0.3025")
c2_folder=$prog

# ---- C1: the previous table (koumoku.INI of the C2 run) with a new selection: a stored row
# without solids shows "-", a new colour gets the next row and the default unit. コピー & OK
# puts the table on the clipboard (card layout: units as stored in the table) before OK.
new_folder c1
cp "$c2_folder/koumoku.INI" "$c2_folder/Vemora.INI" "$prog/"
{
    echo hq
    header_lines
    echo lc3
    echo "sl 0 0 1000 0 1000 1000 0 1000"
    echo lc1
    echo "sl 0 0 1000 0 0 1000"
} | sjis "$prog/TEMP.TXT"
drive c1 /C1 <<'EOF_SCRIPT'
main
caption Vemora【前回表使用-面積測定モード】
text 1101 居室
text 1102 廊下
text 1201 -
text 1202 1.000
text 1203 -
text 1303 坪
text 1204 0.500
text 1304 m^2
click 1104
type 1407 倉庫
text 1104 倉庫
click 1406
clipboard \r\n居室\t-\tm^2\r\n廊下\t1.000\tm^2\r\n\t-\t坪\r\n倉庫\t0.500\tm^2\r\n
box 1 jwwを起動してください
EOF_SCRIPT
expect "c1: koumoku.INI" "$prog/koumoku.INI" \
    < <(item_table 4 "255 65280 16711680 0" "居室 廊下 - 倉庫" "m^2,1 m^2,1 坪,0.3025 m^2,1")
expect "c1: ZTEMP.TXT" "$zfolder/ZTEMP.TXT" <<'EOF_TEXT'
#
bz
lc5
ly9
lt1
r1
0 -26
51 0
0 26
-51 0
r0
lc2
ly9
lt1
24 0 24 -26
33 0 33 -26
43.25 0 43.25 -26
lc2
ly9
lt1
0 -6.5 51 -6.5
0 -13 51 -13
0 -19.5 51 -19.5
cn3
ch 1 1 2 0"
ly9
ch 26 -4.5 1 0 "居室
ch 35 -4.5 1 0 "    -
ch 45.25 -4.5 1 0 "m^2
ly9
lc10 255
sl 12 -4.5 12 -2 22 -2 22 -4.5
lc10 255
sl 2 -4.5 2 -2 12 -2 12 -4.5
ly9
ch 26 -11 1 0 "廊下
ch 35 -11 1 0 "1.000
ch 45.25 -11 1 0 "m^2
ly9
lc10 65280
sl 12 -11 12 -8.5 22 -8.5 22 -11
lc10 65280
sl 2 -11 2 -8.5 12 -8.5 12 -11
ly9
ch 35 -17.5 1 0 "    -
ch 45.25 -17.5 1 0 "坪
ly9
lc10 16711680
sl 12 -17.5 12 -15 22 -15 22 -17.5
lc10 16711680
sl 2 -17.5 2 -15 12 -15 12 -17.5
ly9
ch 26 -24 1 0 "倉庫
ch 35 -24 1 0 "0.500
ch 45.25 -24 1 0 "m^2
ly9
lc10 0
sl 12 -24 12 -21.5 22 -21.5 22 -24
lc10 0
sl 2 -24 2 -21.5 12 -21.5 12 -24
h# 4色 2個のソリッド図形の面積を測定・作表しました。 
EOF_TEXT

# The result file's start: "hd", then every line of the sample after its first, solids left
# as empty lines, and the empty line that ends the block.
kept_lines() {
    echo hd
    header_lines
    printf '%s\n' lc2 "" "" lc3 "" "ci 0 0 100" lc6 "" ""
}
# A row of the result file: its colour, then its six record blocks (only the measured "sl"
# block holds lines), each followed by an empty line.
row_block() {
    echo "lc10 $1"
    shift
    echo
    printf '%s\n' "$@"
    printf '\n\n\n\n\n'
}

# ---- M3: the colour change. The right swatch of row 2 recoloured through the colour dialog.
new_folder m3
write_sample_temp "$prog"
drive m3 /M3 <<'EOF_SCRIPT'
main
caption Vemora【色変更モード】
text 1202 2.000
click 1018
colour 255 255 0
click 1405
EOF_SCRIPT
# "hd", the kept lines (solids as empty lines), then per row its new colour and its solids.
expect "m3: JWC_TEMP.TXT" "$prog/JWC_TEMP.TXT" < <(
    kept_lines
    row_block 255 "${red_solids[@]}"
    row_block 65535 "${green_solids[@]}"
    row_block 16711680 "${blue_solids[@]}"
)
expect_none "m3: no coordinate file" "$zfolder/ZTEMP.TXT"

# ---- M5: the overlap change. Row 1's swatch dragged with the mouse onto row 3.
new_folder m5
write_sample_temp "$prog"
drive m5 /M5 <<'EOF_SCRIPT'
main
caption Vemora【重なり変更モード-正順描画】
text 1201 15.000
drag 1 3
text 1203 15.000
text 1201 0.500
click 1405
EOF_SCRIPT
# The rows in their new order: blue (was row 3), green, red (was row 1).
expect "m5: JWC_TEMP.TXT" "$prog/JWC_TEMP.TXT" < <(
    kept_lines
    row_block 16711680 "${blue_solids[@]}"
    row_block 65280 "${green_solids[@]}"
    row_block 255 "${red_solids[@]}"
)

# ---- Mode 6 (no word): a layer colour picked for row 1 names the layer; group 0 selected.
# The swap button this mode hides is hidden from the start, before any event.
new_folder layer
drive layer "" <<'EOF_SCRIPT'
main
visible 1402 0
caption 【レイヤ名設定モード】
click 1001
colour 255 128 0
text 1101 #c#FF8000
type 1400 0
text 1400 0
click 1405
box 1 jwwを起動してください
EOF_SCRIPT
expect "layer: ZTEMP.TXT" "$zfolder/ZTEMP.TXT" <<'EOF_TEXT'
lg0
ly0
lyn#c#FF8000
ch 0 0 0 0 "レイヤ名を設定しました。 
EOF_TEXT
expect_none "layer: no settings written" "$prog/Vemora.INI" "$prog/koumoku.INI"

# ---- The settings panel: rounding to one decimal, horizontal lines off, Esc and ＯＫ close it.
new_folder panel
write_sample_temp "$prog"
drive panel /C2 <<'EOF_SCRIPT'
main
text 1201 15.000
menu 2009
visible 1500 1
key 1503 27
visible 1500 0
menu 2009
visible 1500 1
pick 1503 1
text 1201 15.0
text 1203 0.5
click 1532
checked 1532 0
enabled 1517 0
enabled 1518 0
enabled 1521 0
enabled 1516 1
click 1546
visible 1500 0
click 1405
box 1 jwwを起動してください
EOF_SCRIPT
# One decimal, and no horizontal lines between the vertical lines and the text type.
expect "panel: ZTEMP.TXT" "$zfolder/ZTEMP.TXT" <<'EOF_TEXT'
#
bz
lc5
ly9
lt1
r1
0 -19.5
44.75 0
0 19.5
-44.75 0
r0
lc2
ly9
lt1
24 0 24 -19.5
28 0 28 -19.5
37 0 37 -19.5
cn3
ch 1 1 2 0"
ly9
ch 30 -4.5 1 0 "15.0
ch 39 -4.5 1 0 "m^2
ly9
lc10 255
sl 12 -4.5 12 -2 22 -2 22 -4.5
lc10 255
sl 2 -4.5 2 -2 12 -2 12 -4.5
ly9
ch 30 -11 1 0 " 2.0
ch 39 -11 1 0 "m^2
ly9
lc10 65280
sl 12 -11 12 -8.5 22 -8.5 22 -11
lc10 65280
sl 2 -11 2 -8.5 12 -8.5 12 -11
ly9
ch 30 -17.5 1 0 " 0.5
ch 39 -17.5 1 0 "m^2
ly9
lc10 16711680
sl 12 -17.5 12 -15 22 -15 22 -17.5
lc10 16711680
sl 2 -17.5 2 -15 12 -15 12 -17.5
h# 3色 4個のソリッド図形の面積を測定・作表しました。 
EOF_TEXT
expect "panel: Vemora.INI" "$prog/Vemora.INI" \
    < <(utf8 "$package/Vemora.INI" | sed 's/^Yokosen=1$/Yokosen=0/; s/^Keta=3$/Keta=1/')

# ---- The keyboard. While the settings panel is shown, Tab stays inside it and keys reach
# nothing behind it (no quantity typed, no OK). Then the cells: Tab goes from the title to
# row 1's name, quantity and unit; Enter or F2 opens a cell's editor, Esc puts the value back,
# Tab leaves an editor for the next cell. A name cut short shows whole in its tooltip.
long_name=第一会議室兼応接室および倉庫
new_folder keys
write_sample_temp "$prog"
drive keys /C2 < <(
    printf '%s\n' main "menu 2009" "focus 1546" "enabled 1405 0"
    for _ in $(seq 50); do printf '%s\n' "key 0 9" "focus 1500"; done
    cat <<EOF_SCRIPT
type 0 9
key 0 32
key 0 27
enabled 1405 1
text 1201 15.000
click 1101
type 1407 居室
text 1101 居室
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
click 1102
type 1407 $long_name
click 1400
visible 1407 0
hover 1102 $long_name
close
EOF_SCRIPT
)
expect_none "keys: nothing written" "$zfolder/ZTEMP.TXT" "$prog/Vemora.INI" "$prog/koumoku.INI"

# ---- 終了 after a look at the About box: nothing is written.
new_folder exit
write_sample_temp "$prog"
drive exit /C2 <<EOF_SCRIPT
main
menu 2010
box 1 ﾊﾞｰｼﾞｮﾝ $version
menu 2003
EOF_SCRIPT
expect_none "exit: nothing written" "$zfolder/ZTEMP.TXT" "$prog/Vemora.INI" "$prog/koumoku.INI" "$prog/JWC_TEMP.TXT"

# ---- A missing TEMP.TXT: its message, then the close box leaves without output.
new_folder missing
drive missing /C2 <<'EOF_SCRIPT'
box 1 TEMP.TXTが無がありません、jwwの外変から起動してください
main
text 1201 ""
close
EOF_SCRIPT
expect_none "missing: nothing written" "$zfolder/ZTEMP.TXT" "$prog/Vemora.INI" "$prog/koumoku.INI"

e2e_summary
