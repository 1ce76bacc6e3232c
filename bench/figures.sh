#!/usr/bin/env bash
# All of Quorvantel's figures in one go: builds the program and the benchmark
# programs (optimised), starts a sound server with a null sink, then prints one
# table: start-up, memory and CPU of the real program under Xvfb, the LED paint,
# the tick, DoSound and the delay to the first audible sample, and the timer
# file's read and write for 100 timers.
# Usage: bash bench/figures.sh [seconds to measure CPU over, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
span=${1:-60}
build=$root/build-figures

bash scripts/deps.sh >/dev/null
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQV_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target quorvantel bench_core bench_widgets bench_audio bench_store >/dev/null

source scripts/services.sh
qv_services_start

out=$(mktemp -d /tmp/qv-bench.XXXXXX)
# Google Benchmark as CSV: name,iterations,real_time,cpu_time,time_unit,...
bench() {
    local program=$1 filter=$2
    "$build/bench/$program" --benchmark_filter="$filter" --benchmark_repetitions=3 \
        --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null >>"$out/bench.csv" ||
        echo "$program ($filter) did not finish" >&2
}
bench bench_core 'BM_TickWithoutNewSecondBootClock|BM_StepThreeRulesAndGeneralFormatting$'
# The CSV output wants the same counters in every row: one run per kind.
bench bench_widgets 'BM_TimerLedRender'
bench bench_widgets 'BM_GradientRender'
bench bench_audio 'BM_DoSoundBuiltIn|BM_LatencyToSink'
bench bench_store 'BM_ReadFile|BM_WriteFile|BM_ParseTimers|BM_SerializeTimers'

bash bench/process_figures.sh "$build/bin/quorvantel" "$span" | tee "$out/process.txt" >/dev/null

printf '\n%-58s %s\n' "Figure" "Value"
printf '%-58s %s\n' "----------------------------------------------------------" "--------------------------"
sed -n '/^Launch/,$p' "$out/process.txt" | while IFS= read -r line; do
    printf '%-58s %s\n' "$(cut -c1-44 <<<"$line" | sed 's/ *$//')" "$(cut -c46- <<<"$line")"
done
# Median rows only, with the unit each benchmark reports in.
awk -F, '$1 ~ /_median"?$/ {
    name = $1; gsub(/"/, "", name); sub(/_median$/, "", name)
    printf "%-58s %.3f %s (CPU %.3f %s)\n", name, $3, $5, $4, $5
}' "$out/bench.csv"
rm -rf "$out"
