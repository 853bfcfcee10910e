#!/usr/bin/env bash
# Screenshots of Vemora.exe for the README, taken under Wine on a virtual display: the main
# window in modes C2, M3, M5 and 6 and with the settings panel open, saved as
# docs/screenshot-*.png. Not part of the test command.
#
#   scripts/screenshots.sh        (BUILD_DIR=build/mingw by default)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/install-deps.sh
build=${BUILD_DIR:-build/mingw}
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target Vemora vemora-window-driver >/dev/null
vemora="$root/$build/src/platform/win32/Vemora.exe"
driver="$root/$build/tests/platform/vemora-window-driver.exe"

source tests/e2e/common.sh
e2e_on_display 900 "$root/scripts/screenshots.sh"
e2e_setup screenshots
# Without a window manager Wine draws the caption and the frame itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

# shot NAME WORD: a fresh program folder with the installed list and settings files and the
# sample office floor plan, Vemora.exe started with the word, the driver script on standard
# input, then the screenshot and 終了.
shot() {
    local name=$1 word=$2 prog="$work/$1"
    mkdir -p "$prog"
    cp "$vemora" "$prog/Vemora.exe"
    cp package/vemora.lst package/Vemora.INI tests/data/samples/office/TEMP.TXT "$prog/"
    { cat; echo shot; } >"$prog.script"
    (cd "$prog" && exec wine "$prog/Vemora.exe" $word >/dev/null 2>&1) &
    pids=("$!")
    timeout 120 wine "$driver" "$(winpath "$prog.script")"
    sleep 1  # the last repaint after the driver's idle check
    import -display "$DISPLAY" -window root "$work/$name.png"
    convert "$work/$name.png" -trim +repage "docs/screenshot-$name.png"
    printf 'main\nmenu 2003\n' >"$prog.exit"
    timeout 60 wine "$driver" "$(winpath "$prog.exit")"
    wait_for_exit "${pids[0]}" 30 || true
    pids=()
    echo "docs/screenshot-$name.png"
}

shot c2 /C2 <<'EOF_SCRIPT'
main
click 1101
type 1407 事務室
key 1407 13
type 1407 会議室
click 1303
key 1408 115
key 1408 40
key 1408 13
click 1400
EOF_SCRIPT

shot m3 /M3 <<'EOF_SCRIPT'
main
click 1018
colour 255 0 128
EOF_SCRIPT

shot m5 /M5 <<'EOF_SCRIPT'
main
drag 1 3
EOF_SCRIPT

shot layer "" <<'EOF_SCRIPT'
main
click 1001
colour 255 128 0
click 1002
colour 0 128 255
type 1400 0-3
text 1400 0-3
EOF_SCRIPT

shot settings /C2 <<'EOF_SCRIPT'
main
menu 2009
visible 1500 1
EOF_SCRIPT
