#!/usr/bin/env bash
# Builds Lorvane and converts the bundled hip sample with every table of the mode "hip" and with
# the schemes hip-unicode and hip-ucs, then a mixed-language sample with the combined scheme
# hip+grk. Prints where the results are.
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
echo "Converting moleben.hip with every table of the mode hip (one folder per table):"
"$bin/lorvane-cli" --list | awk '/^[^ ]/ {mode=$0} /^  / && mode=="hip" {print substr($0, 3)}' |
    while IFS= read -r table; do
        mkdir -p "$work/$table"
        cp "$bin/samples/moleben.hip" "$work/$table/"
        "$bin/lorvane-cli" --mode hip --table "$table" "$work/$table/moleben.hip"
    done
echo
for scheme in hip-unicode hip-ucs; do
    mkdir -p "$work/$scheme"
    cp "$bin/samples/moleben.hip" "$work/$scheme/"
    "$bin/lorvane-cli" --scheme "$scheme" "$work/$scheme/moleben.hip"
done
echo
echo "Converting $work/trisagion.txt with the combined scheme hip+grk:"
"$bin/lorvane-cli" --scheme hip+grk --entry "<g>=Транслитерация" "$work/trisagion.txt"
echo
echo "The Unicode result (UTF-8; a Church Slavonic font shows it best):"
sed -n '7,12p' "$work/hip-unicode/moleben.txt"
echo
echo "The plain modern Cyrillic result:"
iconv -f cp1251 -t utf-8 "$work/Гражданский/moleben.txt" | head -n 8
