#!/usr/bin/env bash
# Fails when a source file includes from a folder above its own. The portable core is in
# layers, lowest first; a file may include from its own folder and the folders before it.
# The two front ends sit on top and include nothing of each other.
set -euo pipefail
cd "$(dirname "$0")/.."

layers=(base model exchange settings output host ui)
rank() {
    local folder=$1 i
    for i in "${!layers[@]}"; do
        [[ ${layers[$i]} == "$folder" ]] && { echo "$i"; return; }
    done
    case $folder in
        cli | platform) echo 100 ;;
        *) echo -1 ;;
    esac
}

status=0
while IFS= read -r file; do
    own=$(rank "$(cut -d/ -f2 <<<"$file")")
    while IFS= read -r included; do
        folder=${included%%/*}
        [[ $included == */* ]] || continue
        target=$(rank "$folder")
        if ((target < 0)); then
            continue  # not a folder of src/ (a system or test header)
        fi
        if ((target > own)) || { ((target == 100)) && [[ $folder != "$(cut -d/ -f2 <<<"$file")" ]]; }; then
            echo "$file includes \"$included\": $folder is above $(cut -d/ -f2 <<<"$file")"
            status=1
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(git ls-files --cached --others --exclude-standard 'src/*.h' 'src/*.cpp')

if ((status == 0)); then
    echo "layers: every include points down"
fi
exit "$status"
