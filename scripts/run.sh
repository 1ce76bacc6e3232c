#!/usr/bin/env bash
# Builds Quorvantel and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target quorvantel
exec build/bin/quorvantel "$@"
