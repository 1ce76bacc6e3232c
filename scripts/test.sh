#!/usr/bin/env bash
# Builds Quorvantel with warnings as errors and runs every test, then builds it
# again with AddressSanitizer and UndefinedBehaviorSanitizer and runs them again.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/deps.sh

# The compiler cache keys on paths relative to the checkout, so a fresh clone in
# another folder reuses what an earlier run of the same sources compiled.
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1

jobs=$(nproc)
source scripts/services.sh
qv_services_start

run_suite() {
    local dir=$1; shift
    cmake -S "$root" -B "$dir" -DQV_WERROR=ON "$@"
    cmake --build "$dir" -j"$jobs"
    (cd "$dir" && ctest --output-on-failure -j"$jobs" --timeout 600)
}

# The Debian package, as the README builds it; the install test checks it and
# then only rebuilds what changed.
bash scripts/package.sh

run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo
run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON -DQV_BUILD_BENCH=OFF

# The timer file reader's fuzz target (clang's libFuzzer): its seed corpus as a
# regression test, then a short bounded run.
cmake -S "$root" -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DQV_BUILD_BENCH=OFF
cmake --build build-fuzz -j"$jobs" --target timerfile_fuzz
(cd build-fuzz && ctest --output-on-failure -R '^timerfile_fuzz')
echo "All tests passed, plain, under the sanitizers, and the fuzz corpus."
