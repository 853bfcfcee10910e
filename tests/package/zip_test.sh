#!/usr/bin/env bash
# zip_test.sh SOURCE_DIR VERSION: packs the zip with stand-in programs (and checks dist/Vemora-VERSION.zip
# if made): under Vemora/ the programs, the package folder's files as they are and the screenshots, nothing
# else, named in code page 932 without the UTF-8 flag; packing twice gives the same bytes.
set -euo pipefail
root="$1"
for tool in zip unzip iconv od grep; do command -v "$tool" >/dev/null || { echo "SKIP: no $tool"; exit 77; }; done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

check_zip() {
    local zip="$1" label="$2" at file
    unzip -tqq "$zip" >/dev/null || { fail "$label: the archive does not test clean"; return; }
    LC_ALL=C unzip -Z1 "$zip" | iconv -f CP932 -t UTF-8 | LC_ALL=C sort >"$work/names" ||
        fail "$label: an entry name is not code page 932"
    { printf 'Vemora/%s\n' Vemora.exe vemora-cli.exe; find "$root/package" -maxdepth 1 -type f -printf 'Vemora/%f\n'
      find "$root/docs" -maxdepth 1 -name 'screenshot-*.png' -printf 'Vemora/docs/%f\n' 2>/dev/null || true; } |
        LC_ALL=C sort | diff - "$work/names" || fail "$label: the file list differs (< expected, > found)"
    # The UTF-8 flag is bit 11 of an entry's flags, byte 9 of its central-directory header.
    local eocd=($(tail -c 22 "$zip" | od -An -v -tu1)) entries=0
    [[ "${eocd[*]:0:4}" == "80 75 5 6" ]] || { fail "$label: no end-of-central-directory record at the end"; return; }
    local directory=$((eocd[16] + 256 * eocd[17] + 65536 * eocd[18] + 16777216 * eocd[19]))
    for at in $(tail -c "+$((directory + 1))" "$zip" | LC_ALL=C grep -obaP 'PK\x01\x02' | cut -d: -f1); do
        entries=$((entries + 1))
        (($(od -An -tu1 -j $((directory + at + 9)) -N1 "$zip") & 8)) && fail "$label: entry $entries has the UTF-8 flag"
    done
    ((entries == $(wc -l <"$work/names"))) || fail "$label: $entries entries in the central directory"
    mkdir "$work/$label" && (cd "$work/$label" && LC_ALL=C unzip -qq "$zip")
    for file in "$root"/package/*; do
        cmp -s "$file" "$work/$label/Vemora/$(basename "$file" | iconv -f UTF-8 -t CP932)" ||
            fail "$label: $(basename "$file") is not the package's file"
    done
}

export SOURCE_DATE_EPOCH=1700000000
mkdir "$work/bin" && printf 'MZ stand-in' | tee "$work/bin/Vemora.exe" >"$work/bin/vemora-cli.exe"
"$root/scripts/package.sh" --bin "$work/bin" --out "$work/built.zip" >"$work/log" 2>&1 || cat "$work/log"
check_zip "$work/built.zip" built
# zip would add to an old archive; the script must replace it.
(cd "$work" && printf 'stale' >stale.txt && zip -q again.zip stale.txt)
"$root/scripts/package.sh" --bin "$work/bin" --out "$work/again.zip" >/dev/null 2>&1 || true
cmp -s "$work/built.zip" "$work/again.zip" || fail "packing twice gives different archives"
[[ -f "$root/dist/Vemora-$2.zip" ]] && check_zip "$root/dist/Vemora-$2.zip" dist
((failures == 0)) || { echo "zip_test: $failures failure(s)"; exit 1; }
echo "zip_test: all checks passed"
