# Shared by the journeys under Wine and scripts/screenshots.sh.
pids=()
passed=0
failed=0
pass() { echo "ok   $1"; passed=$((passed + 1)); }
fail() { echo "FAIL $1"; failed=$((failed + 1)); }
e2e_summary() { echo "$passed passed, $failed failed"; ((failed == 0)); }

# e2e_on_display SECONDS SCRIPT [ARGS...]: the script again on a display of its own, if not yet.
e2e_on_display() {
    [[ -n "${VEMORA_E2E_DISPLAY:-}" ]] && return 0
    exec timeout "$1" xvfb-run -a -s "-screen 0 1024x768x24" env VEMORA_E2E_DISPLAY=1 bash "${@:2}"
}

# e2e_setup NAME: $work with a Japanese Wine prefix, Jw_cad's pens 2 red, 3 green, 6 blue and
# coordinate-file folder $zfolder; ended and removed at exit.
e2e_setup() {
    work=$(mktemp -d "/tmp/vemora-$1.XXXXXX")
    zfolder="$work/z"
    mkdir -p "$zfolder"
    export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8
    trap 'kill "${pids[@]}" 2>/dev/null || true; timeout 30 wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
    trap 'exit 143' TERM INT
    timeout 120 wineboot -i >/dev/null 2>&1 || true
    local key='HKCU\Software\Jw_cad\jw_win' v
    for v in "Color00 ffffff" "Color01 0" "Color02 ff" "Color03 ff00" "Color06 ff0000"; do
        wine reg add "$key\\Pen" /v "${v% *}" /d "${v#* }" /f >/dev/null 2>&1
    done
    wine reg add "$key\\Folder" /v ZFILE /d "$(winpath "$zfolder")" /f >/dev/null 2>&1
}

# wait_for_exit PID SECONDS: false (and PID killed) when it runs longer.
wait_for_exit() {
    local end=$((SECONDS + $2))
    while kill -0 "$1" 2>/dev/null; do
        ((SECONDS < end)) || { kill "$1" 2>/dev/null || true; wait "$1" 2>/dev/null || true; return 1; }
        sleep 0.1
    done
    wait "$1" 2>/dev/null || true
}

winpath() { local p="${1//\//\\}"; echo "Z:$p"; }
# UTF-8 with LF <-> code page 932 with CR LF, as Jw_cad writes.
sjis() { sed 's/$/\r/' | iconv -f UTF-8 -t CP932; }
utf8() { iconv -f CP932 -t UTF-8 "$1" | sed 's/\r$//'; }

same() {
    if cmp -s "$2" "$3"; then
        pass "$1"
    else
        fail "$1"
        diff <(utf8 "$2") <(utf8 "$3") | head -n 20 | sed 's/^/     /' || true
    fi
}
