#!/usr/bin/env bash
# Builds the zip a Jw_cad user unpacks beside Jw_cad: dist/Vemora-<version>.zip holding one
# folder Vemora/ with Vemora.exe, vemora-cli.exe, everything in package/ (the batch files,
# vemora.lst, Vemora.INI, the guide, the licence) and the screenshots docs/screenshot-*.png.
#
#   scripts/package.sh               build the Windows programs (cmake --preset mingw), then zip
#   scripts/package.sh --bin DIR     take Vemora.exe and vemora-cli.exe from DIR, build nothing
#   scripts/package.sh --out FILE    write the zip to FILE instead of dist/
#
# Entry names are stored as code page 932 bytes without the zip's UTF-8 flag, the form in
# which Explorer on Japanese Windows (and the common Japanese unpackers, old ones included)
# read names. Debian's zip would store the UTF-8 bytes unflagged, which those read wrongly.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
bin=""
out=""
while (($#)); do
    case "$1" in
        --bin) bin="${2:?--bin needs a folder}"; shift 2 ;;
        --out) out="${2:?--out needs a file name}"; shift 2 ;;
        *) echo "package.sh: unknown argument: $1" >&2; exit 1 ;;
    esac
done

version="$(sed -n 's/^project(Vemora VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
[[ -n "$version" ]] || { echo "package.sh: no version in CMakeLists.txt" >&2; exit 1; }
out="${out:-$root/dist/Vemora-$version.zip}"

if [[ -z "$bin" ]]; then
    "$root/scripts/install-deps.sh"
    cd "$root"
    [[ -f build/mingw/build.ninja ]] || cmake --preset mingw >/dev/null
    cmake --build --preset mingw --target Vemora vemora-cli
fi
for tool in zip iconv; do
    command -v "$tool" >/dev/null || { echo "package.sh: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done

# The one file of that name among the build's programs, or the one in --bin.
program() {
    local found
    if [[ -n "$bin" ]]; then
        found="$bin/$1"
        [[ -f "$found" ]] || found=""
    else
        found="$(find "$root/build/mingw/src" -name "$1" -type f)"
    fi
    if [[ -z "$found" || "$found" == *$'\n'* ]]; then
        echo "package.sh: expected exactly one $1, found: ${found:-none}" >&2
        exit 1
    fi
    # A Windows program starts with "MZ"; anything else would not run for the user.
    [[ "$(head -c 2 "$found")" == "MZ" ]] || { echo "package.sh: $found is not a Windows program" >&2; exit 1; }
    printf '%s\n' "$found"
}

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/Vemora"
gui="$(program Vemora.exe)"
cli="$(program vemora-cli.exe)"
cp "$gui" "$cli" "$stage/Vemora/"
find "$root/package" -maxdepth 1 -type f -exec cp {} "$stage/Vemora/" \;
for shot in c2 m3 m5 layer settings; do
    if [[ -f "$root/docs/screenshot-$shot.png" ]]; then
        mkdir -p "$stage/Vemora/docs"
        cp "$root/docs/screenshot-$shot.png" "$stage/Vemora/docs/"
    else
        echo "package.sh: warning: docs/screenshot-$shot.png is missing; the guide refers to it" >&2
    fi
done

# File names to code page 932, as the names will be stored.
while IFS= read -r -d '' path; do
    name="$(basename "$path")"
    encoded="$(printf '%s' "$name" | iconv -f UTF-8 -t CP932)"
    [[ "$encoded" == "$name" ]] || mv "$path" "$(dirname "$path")/$encoded"
done < <(find "$stage/Vemora" -type f -print0)

# Same inputs, same zip: fixed times (the last commit's, or SOURCE_DATE_EPOCH), sorted
# entries, no extra fields. Zip times are local times; JST is where the zip is used.
epoch="${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)}"
find "$stage/Vemora" -exec touch -h -d "@$epoch" {} +
(cd "$stage" && find Vemora -type f | LC_ALL=C sort | TZ=JST-9 LC_ALL=C zip -X -D -q -9 -@ "$stage/Vemora.zip")

# A fresh archive moved into place: zip would merge into an existing one, keeping stale entries.
mkdir -p "$(dirname "$out")"
cp "$stage/Vemora.zip" "$out.tmp$$"
mv -f "$out.tmp$$" "$out"
echo "$out: $(find "$stage/Vemora" -type f | wc -l) files"
