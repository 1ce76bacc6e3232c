#!/usr/bin/env bash
# Renders the program icon from its SVG source into the PNG sizes desktops use.
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
for size in 16 24 32 48 64 128 256; do
    convert -background none quorvantel.svg -resize "${size}x${size}" -depth 8 "quorvantel-${size}.png"
done
