#!/usr/bin/env bash
# Checks the Windows zip: its file list, that entry names are code page 932 without the
# UTF-8 flag, and that the shipped files are the package's bytes. Builds a zip with
# stand-in programs (quick, needs no cross build) and checks dist/Vemora-<version>.zip too
# when it has been made.
#   zip_test.sh SOURCE_DIR VERSION
set -euo pipefail

root="$1"
version="$2"
for tool in zip unzip iconv od awk; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The files every zip holds, under Vemora/: the programs and the package folder's files; the
# screenshots are there once they are made.
programs=(Vemora.exe vemora-cli.exe)
packaged=(
    面積表_新規.BAT 面積表_前回.BAT 表作成.BAT ソリッド色変更.BAT ソリッドレイヤ振分.BAT
    ソリッド重なり変更.BAT レイヤ名設定.BAT
    vemora.lst Vemora.INI 使い方.txt LICENSE.txt
)
screenshots=(docs/screenshot-c2.png docs/screenshot-m3.png docs/screenshot-m5.png docs/screenshot-layer.png
             docs/screenshot-settings.png)

# One line per central-directory entry: the general-purpose flags in decimal, a tab, the
# name's raw bytes.
entries() {
    local size eocd
    size=$(stat -c %s "$1")
    eocd=($(tail -c 22 "$1" | od -An -v -t u1))
    if [[ "${eocd[*]:0:4}" != "80 75 5 6" ]]; then
        echo "no end-of-central-directory record (a zip comment?)" >&2
        return 1
    fi
    local cdSize=$((eocd[12] + 256 * eocd[13] + 65536 * eocd[14] + 16777216 * eocd[15]))
    local cdOffset=$((eocd[16] + 256 * eocd[17] + 65536 * eocd[18] + 16777216 * eocd[19]))
    ((cdOffset + cdSize + 22 == size)) || { echo "central directory out of place" >&2; return 1; }
    tail -c "+$((cdOffset + 1))" "$1" | head -c "$cdSize" | od -An -v -t u1 |
        LC_ALL=C awk '{ for (i = 1; i <= NF; i++) b[n++] = $i }
            END {
                p = 0
                while (p + 46 <= n) {
                    if (b[p] != 80 || b[p+1] != 75 || b[p+2] != 1 || b[p+3] != 2) exit 1
                    nameLen = b[p+28] + 256 * b[p+29]
                    skip = nameLen + b[p+30] + 256 * b[p+31] + b[p+32] + 256 * b[p+33]
                    printf "%d\t", b[p+8] + 256 * b[p+9]
                    for (i = 0; i < nameLen; i++) printf "%c", b[p+46+i]
                    printf "\n"
                    p += 46 + skip
                }
            }'
}

check_zip() {
    local zipFile="$1" label="$2"
    local -a names=()
    local flags name decoded
    if ! unzip -tqq "$zipFile" >/dev/null; then fail "$label: the archive does not test clean"; return; fi
    entries "$zipFile" >"$work/entries" || { fail "$label: cannot read the central directory"; return; }
    while IFS=$'\t' read -r flags name; do
        ((flags & 2048)) && fail "$label: $name carries the UTF-8 flag"
        if ! decoded="$(printf '%s' "$name" | iconv -f CP932 -t UTF-8 2>/dev/null)"; then
            fail "$label: an entry name is not code page 932"
            continue
        fi
        names+=("$decoded")
    done <"$work/entries"

    local -a expected=()
    local file shot
    for file in "${programs[@]}" "${packaged[@]}"; do expected+=("Vemora/$file"); done
    for shot in "${screenshots[@]}"; do
        printf '%s\n' "${names[@]}" | grep -qxF "Vemora/$shot" && expected+=("Vemora/$shot")
    done
    if [[ "$(printf '%s\n' "${names[@]}" | LC_ALL=C sort)" != "$(printf '%s\n' "${expected[@]}" | LC_ALL=C sort)" ]]; then
        fail "$label: file list differs (- expected, + found):"
        diff <(printf '%s\n' "${expected[@]}" | LC_ALL=C sort) <(printf '%s\n' "${names[@]}" | LC_ALL=C sort) | grep '^[<>]' |
            sed 's/^</  -/; s/^>/  +/' || true
    fi

    # Unpacked as Windows would store them, the files are the package's bytes.
    local out="$work/unpacked-$label"
    mkdir -p "$out"
    (cd "$out" && LC_ALL=C unzip -qq "$zipFile")
    for file in "${packaged[@]}"; do
        local stored
        stored="$out/Vemora/$(printf '%s' "$file" | iconv -f UTF-8 -t CP932)"
        cmp -s "$stored" "$root/package/$file" || fail "$label: $file is not the package's file"
    done
    for file in "${programs[@]}"; do
        [[ "$(head -c 2 "$out/Vemora/$file" 2>/dev/null)" == "MZ" ]] || fail "$label: $file is not a Windows program"
    done
}

# Fixed times, so that two runs of the packaging must give the same bytes.
export SOURCE_DATE_EPOCH=1700000000
mkdir -p "$work/bin"
printf 'MZ stand-in' >"$work/bin/Vemora.exe"
printf 'MZ stand-in' >"$work/bin/vemora-cli.exe"
if "$root/scripts/package.sh" --bin "$work/bin" --out "$work/built.zip" >"$work/package.log" 2>&1; then
    check_zip "$work/built.zip" built
    # Building again gives the same bytes, and replaces the old archive instead of adding to it.
    printf 'stale' >"$work/stale.txt"
    (cd "$work" && zip -q again.zip stale.txt)
    "$root/scripts/package.sh" --bin "$work/bin" --out "$work/again.zip" >/dev/null 2>&1
    cmp -s "$work/built.zip" "$work/again.zip" || fail "packaging twice gives different archives"
else
    cat "$work/package.log"
    fail "scripts/package.sh failed"
fi

# A package script that is given no Windows program stops without writing a zip.
printf 'ELF' >"$work/bin/vemora-cli.exe"
"$root/scripts/package.sh" --bin "$work/bin" --out "$work/bad.zip" >/dev/null 2>&1 && fail "packaged a non-Windows program"
[[ -e "$work/bad.zip" ]] && fail "a failed packaging left a zip behind"

dist="$root/dist/Vemora-$version.zip"
if [[ -f "$dist" ]]; then
    check_zip "$dist" dist
else
    echo "note: $dist not built; checked the stand-in archive only"
fi

if ((failures)); then
    echo "zip_test: $failures failure(s)"
    exit 1
fi
echo "zip_test: all checks passed"
