#!/usr/bin/env bash
# Renders the program icon into the PNG sizes desktops use. The large sizes come
# from quorvantel.svg; 16, 22 and 24 pixels have pictures of their own
# (quorvantel-<size>.svg), drawn on that size's pixel grid, because the large
# picture scaled down that far is an unreadable smudge in a panel or a menu.
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
for size in 16 22 24; do
    rsvg-convert "quorvantel-${size}.svg" -o "quorvantel-${size}.png"
done
for size in 32 48 64 128 256; do
    convert -background none quorvantel.svg -resize "${size}x${size}" -depth 8 -define png:exclude-chunks=date,time "quorvantel-${size}.png"
done
