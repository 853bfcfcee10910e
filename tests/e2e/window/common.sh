# Shared by the window's end-to-end journeys (run.sh) and scripts/screenshots.sh: Wine paths,
# the code page of Jw_cad's files, Jw_cad's registry values and the sample selection.
# Expects WINEPREFIX to be set.

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
