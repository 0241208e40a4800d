#!/usr/bin/env bash
# Builds Lorvane and converts the bundled sample psalm with every table of the mode "hip", then
# a mixed-language sample with the bundled combined scheme. Prints where the results are.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh >/dev/null
bin="${BUILD_DIR:-build}/bin"
work=$(mktemp -d "${TMPDIR:-/tmp}/lorvane-sample-XXXXXX")
cp "$bin/samples/trisagion.txt" "$work/"
export LORVANE_NO_OPEN=1

echo "The mode list of the bundled program folder:"
"$bin/lorvane-cli" --list
echo
echo "Converting psalm22.txt with every table of the mode hip (one folder per table):"
"$bin/lorvane-cli" --list | awk '/^[^ ]/ {mode=$0} /^  / && mode=="hip" {print substr($0, 3)}' |
    while IFS= read -r table; do
        mkdir -p "$work/$table"
        cp "$bin/samples/psalm22.txt" "$work/$table/"
        "$bin/lorvane-cli" --mode hip --table "$table" "$work/$table/psalm22.txt"
    done
echo
echo "Converting $work/trisagion.txt with the combined scheme hip+grk:"
"$bin/lorvane-cli" --scheme hip+grk --entry "<g>=Транслитерация" "$work/trisagion.txt"
echo
echo "The plain modern Cyrillic result:"
iconv -f cp1251 -t utf-8 "$work/Гражданский/psalm221.txt" | head -n 8
