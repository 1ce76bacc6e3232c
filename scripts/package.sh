#!/usr/bin/env bash
# Builds the Debian package of Quorvantel: the program and its data only (no
# tests, no benchmarks), compiled with Debian's hardening flags and stripped.
# Usage: package.sh [build folder, default build-package]; prints the .deb's path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-package}")
cd "$root" # dpkg-buildflags maps the current folder out of the debug paths

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags() { dpkg-buildflags --get "$1"; }
mkdir -p "$build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF -DQV_SANITIZE=OFF -DQV_WERROR=OFF \
    -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" -DCMAKE_MODULE_LINKER_FLAGS="$(flags LDFLAGS)" >"$build/configure.log" 2>&1 ||
    { cat "$build/configure.log"; exit 1; }
cmake --build "$build" -j"$(nproc)" --target quorvantel >&2
rm -f "$build"/quorvantel_*.deb
(cd "$build" && cpack -G DEB >&2)
ls "$build"/quorvantel_*.deb
