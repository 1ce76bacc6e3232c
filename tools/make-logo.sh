#!/usr/bin/env bash
# Renders resources/logo.png from resources/logo.svg with Qt's own SVG renderer
# (the picture the program showed when it rendered the SVG itself). Run it after
# changing logo.svg; tests/app checks that the two still agree.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
flock /tmp/qv-build.lock cmake --build "$build" -j2 --target qv_render_logo
QT_QPA_PLATFORM=offscreen "$build/tools/qv_render_logo" resources/logo.svg resources/logo.png
