# Shared by the end-to-end journeys under Wine (window/run.sh, handoff/run.sh) and
# scripts/screenshots.sh: a virtual display and a private Wine prefix removed at the end,
# Wine paths, the code page of Jw_cad's files, Jw_cad's registry values, the sample
# selection, and the tally of checks.

# Processes of the run, ended at exit.
pids=()

# e2e_on_display SECONDS SCRIPT [ARGS...]: runs the script again on a virtual display of its
# own, the whole run bounded by SECONDS; returns at once when it already runs there.
e2e_on_display() {
    local seconds=$1 script=$2
    shift 2
    [[ -n "${VEMORA_E2E_DISPLAY:-}" ]] && return 0
    exec timeout "$seconds" xvfb-run -a -s "-screen 0 1024x768x24" env VEMORA_E2E_DISPLAY=1 bash "$script" "$@"
}

# e2e_setup NAME: the temporary folder $work (/tmp/vemora-NAME.*) holding a fresh
# WINEPREFIX, set up as a Japanese Windows (code page 932 and Japanese UI fonts, as Jw_cad's
# users have), with Jw_cad's registry values naming the coordinate-file folder $zfolder.
# At exit the processes in `pids` and every Windows process of the prefix are ended and the
# folder is removed.
e2e_setup() {
    work=$(mktemp -d "/tmp/vemora-$1.XXXXXX")
    export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8
    trap e2e_cleanup EXIT
    trap 'exit 143' TERM INT
    timeout 120 wineboot -i >/dev/null 2>&1 || true
    zfolder="$work/z"
    mkdir -p "$zfolder"
    jw_registry "$zfolder"
}

e2e_cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    # Every Windows process of this private prefix is one of ours (wineboot's services too).
    timeout 30 wineserver -k 2>/dev/null || true
    rm -rf "$work"
}

passed=0
failed=0
pass() { echo "ok   $1"; passed=$((passed + 1)); }
fail() { echo "FAIL $1"; failed=$((failed + 1)); }

# The last line of a run, "N passed, N failed"; false when a check failed.
e2e_summary() {
    echo
    echo "$passed passed, $failed failed"
    ((failed == 0))
}

# Waits until the process has ended; false (and the process killed) after `seconds`.
wait_for_exit() {
    local pid=$1 seconds=$2
    local end=$((SECONDS + seconds))
    while kill -0 "$pid" 2>/dev/null; do
        if ((SECONDS >= end)); then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
            return 1
        fi
        sleep 0.1
    done
    wait "$pid" 2>/dev/null || true
}

winpath() { local p="${1//\//\\}"; echo "Z:$p"; }
# UTF-8 text with LF on standard input -> a code page 932 file with CR LF, as Jw_cad writes.
sjis() { sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >"$1"; }
# A code page 932 file as UTF-8 with LF.
utf8() { iconv -f CP932 -t UTF-8 "$1" | sed 's/\r$//'; }

# Jw_cad's pen colours (hexadecimal red + 256 green + 65536 blue: pen 2 red, 3 green, 6 blue)
# and its coordinate-file folder.
jw_registry() {
    local zfolder=$1 v
    for v in "Color00 ffffff" "Color01 0" "Color02 ff" "Color03 ff00" "Color06 ff0000"; do
        set -- $v
        wine reg add 'HKCU\Software\Jw_cad\jw_win\Pen' /v "$1" /d "$2" /f >/dev/null 2>&1
    done
    wine reg add 'HKCU\Software\Jw_cad\jw_win\Folder' /v ZFILE /d "$(winpath "$zfolder")" /f >/dev/null 2>&1
}

# vemora.lst: two item names and three unit entries.
write_list_file() {
    sjis "$1/vemora.lst" <<'EOF_TEXT'
[items]
居室
廊下
[tani]
m^2,1
坪,0.3025
畳,0.55
EOF_TEXT
}

# The header and attribute lines at the top of every sample TEMP.TXT, after its first line.
header_lines() {
    cat <<'EOF_TEXT'
hs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1
hcw 0 2 2.5 3 3.5 4 5 6 7 8 10
hch 0 2 2.5 3 3.5 4 5 6 7 8 10
hcd 0 0 0 0.5 0.5 0.5 0.5 1 1 1 1
hcc 1 1 1 1 1 1 1 1 1 1 1
lg0
ly0
lt1
cn3
EOF_TEXT
}

# The solids of the sample selection, per colour: red 15 m², green 2 m², blue 0.5 m².
red_solids=("sl 0 0 4000 0 4000 3000 0 3000" "sl 4000 0 6000 0 6000 1500 4000 1500")
green_solids=("sl 0 3000 2000 3000 2000 5000")
blue_solids=("sl 0 0 1000 0 1000 500 0 500")

# The selection Jw_cad hands over (TEMP.TXT): three colours and a circle that is no solid.
write_sample_temp() {
    {
        echo hq
        header_lines
        echo lc2
        printf '%s\n' "${red_solids[@]}"
        echo lc3
        printf '%s\n' "${green_solids[@]}"
        echo "ci 0 0 100"
        echo lc6
        printf '%s\n' "${blue_solids[@]}"
    } | sjis "$1/TEMP.TXT"
}
