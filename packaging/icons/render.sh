#!/usr/bin/env bash
# Renders the PNG icons from lorvane.svg (needs rsvg-convert from librsvg2-bin). The PNGs are kept
# in the repository so that building needs no renderer; run this after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
    mkdir -p "${size}x${size}"
    rsvg-convert --width "$size" --height "$size" lorvane.svg --output "${size}x${size}/lorvane.png"
done
