#!/usr/bin/env bash
# The main job on the sample drawing shipped in the repository: measure the solids of an
# office floor plan as Jw_cad would hand them over (mode C1, with the room names of the last table in koumoku.INI), print the table, and write
# the area table drawing ZTEMP.TXT and its picture table.svg (docs/demo-table.svg) into a scratch folder.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target vemora-cli >/dev/null

work=$(mktemp -d /tmp/vemora-demo.XXXXXX)
cp tests/data/samples/office/* "$work"/
build/native/src/cli/vemora-cli --dir "$work" --zfile "$work" --title "面積表" --print tsv --svg "$work/table.svg" C1
echo
echo "Written in $work:"
ls -l "$work"
echo
echo "ZTEMP.TXT (Shift_JIS, shown as UTF-8):"
iconv -f CP932 -t UTF-8 "$work/ZTEMP.TXT" | tr -d '\r'
