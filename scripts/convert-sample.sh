#!/usr/bin/env bash
# Builds Lorvane and converts the bundled sample psalm with the bundled tables.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh >/dev/null
build_dir=${BUILD_DIR:-build}
bin="$build_dir/bin"
work=$(mktemp -d)
cp "$bin/samples/psalm.txt" "$work/"
echo "Converting $work/psalm.txt with every table of the mode hip:" >&2
"$bin/lorvane-cli" --list
for table in $("$bin/lorvane-cli" --list | awk '/^  / && mode=="hip" {print $1} /^[^ ]/ {mode=$1}'); do
    "$bin/lorvane-cli" --mode hip --table "$table" "$work/psalm.txt"
done
