#!/usr/bin/env bash
# The program's process figures as ratios to the floor (bench/floor.cpp: one
# label whose text changes once a second), both measured in the same run: each
# on an X server of its own (Xvfb with openbox, so the X server's CPU is
# attributable), one sound server with a null sink, one private session bus.
# Rounds interleave the two; every span measures the program and the floor over
# the same seconds, and the table gives medians over the rounds.
#
#   launch      first start to the window mapped, and to its first picture drawn,
#               both as the X server reports them (bench/launch_watch.cpp; 3 a
#               round each, alternating)
#   memory      VmRSS and the private part (Private_Clean + Private_Dirty of
#               smaps_rollup) a second and a half after the window showed
#   counting    CPU of all threads (schedstat), of the X server, and wake-ups
#               (voluntary + involuntary context switches of all threads)
#   titled      counting again, beside the floor with a task bar entry (icon
#               name) that follows its text, as the program's title does
#   flashing    the same after the timer reached zero, beside the floor
#               showing its text and a blank by turns every tenth of a second
#   3840x2160   both maximised on a 3840x2160 screen: memory, counting
#   100 timers  a timer file of 100 timers: launch, memory, counting
#
# Usage: bash bench/ratio_figures.sh [seconds a span, default 20] [rounds, default 3]
# QV_FIGURES_NO_BUILD=1 measures what is built in build-figures as it is;
# QV_FIGURES_ROWS=<file> keeps every span's values there, QV_FIGURES_KEEP=1 the
# work folder with the programs' output (logs). A benchmark, never a test: the
# figures depend on the machine and on what else runs on it.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
span=${1:-20}
rounds=${2:-3}
build=$root/build-figures

if [ -z "${QV_FIGURES_NO_BUILD:-}" ]; then
    export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQV_BUILD_TESTS=OFF >/dev/null
    flock /tmp/qv-build.lock cmake --build "$build" -j2 --target quorvantel qv_floor qv_launch_watch >/dev/null
fi
program=$build/bin/quorvantel
floor=$build/bin/qv_floor
watch=$build/bin/qv_launch_watch
[ -x "$program" ] && [ -x "$floor" ] && [ -x "$watch" ] ||
    { echo "build the quorvantel, qv_floor and qv_launch_watch targets first"; exit 1; }

source scripts/services.sh
source tests/e2e/timer_file.bash
qv_services_start
pulse=unix:$XDG_RUNTIME_DIR/pulse/native
work=$(mktemp -d /tmp/qv-ratio.XXXXXX)
pids=()
stop_all() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    qv_services_stop
    [ -n "${QV_FIGURES_KEEP:-}" ] || rm -rf "$work"
}
trap stop_all EXIT

qv_start_session_bus "$work"
bus=$DBUS_SESSION_BUS_ADDRESS

# One X server with a window manager for each of the two.
declare -A display xserver
next=60
for who in q f; do
    qv_start_x --size 3840x2160 --from "$next"
    display[$who]=$QV_X_DISPLAY
    xserver[$who]=$QV_X_PID
    next=$((${QV_X_DISPLAY#:} + 1))
    mkdir -p "$work/$who/app" "$work/$who/home" "$work/$who/runtime"
    chmod 700 "$work/$who/runtime"
done
cp "$program" "$build/bin/quorvantel-sound.so" "$work/q/app/"
cp "$floor" "$work/f/app/qv_floor"
declare -A title=([q]='^Quorvantel 1\.02$' [f]='^qv-floor$') binary=([q]=quorvantel [f]=qv_floor)
sleep 0.5

environment() {
    vars=(DISPLAY="${display[$1]}" HOME="$work/$1/home" XDG_CONFIG_HOME="$work/$1/config"
        XDG_RUNTIME_DIR="$work/$1/runtime" PULSE_SERVER="$pulse" DBUS_SESSION_BUS_ADDRESS="$bus")
}
in_env() {
    environment "$1"
    shift
    env "${vars[@]}" "$@"
}
declare -A pid
# A first start (no preferences, or only "maximised"); the timer file is left as it is.
# launch q|f [maximised | titled | flashing (the floor only)]
launch() {
    rm -rf "$work/$1/config"
    local args=()
    case $1:${2:-} in
    q:maximised) maximised_preferences ;;
    f:maximised) args=(--maximised) ;;
    f:titled) args=(--moving-title) ;;
    f:flashing) args=(--flash) ;;
    esac
    environment "$1"
    rm -f "$work/$1/launched"
    # env, not a shell function, and the watcher execs the program: $! is the program itself
    env "${vars[@]}" "$watch" "$work/$1/launched" "$work/$1/app/${binary[$1]}" "${args[@]}" \
        >>"$work/$1/log" 2>&1 &
    pid[$1]=$!
    pids+=($!)
}
end() {
    kill "${pid[$1]}" 2>/dev/null || true
    wait "${pid[$1]}" 2>/dev/null || true
}
window() { in_env "$1" xdotool search --onlyvisible --name "${title[$1]}" 2>/dev/null | head -1; }
# Milliseconds from the exec until the window was mapped and until its first
# picture was drawn, into $mapped and $painted (not in a subshell: the
# program's id must stay known).
timed_launch() {
    launch "$1"
    for _ in $(seq 3000); do
        [ -s "$work/$1/launched" ] && break
        sleep 0.01
    done
    read -r mapped painted <"$work/$1/launched"
}
wait_window() {
    for _ in $(seq 300); do
        [ -n "$(window "$1")" ] && return 0
        sleep 0.1
    done
    echo "no window for ${binary[$1]}" >&2
    return 1
}
press_space() {
    local w
    w=$(window q)
    in_env q xdotool windowactivate --sync "$w" >/dev/null 2>&1 || true
    in_env q xdotool key --clearmodifiers space
}
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ns += $1} END {printf "%d", ns}'; }
switches() {
    cat /proc/"$1"/task/*/status | awk '/^(non)?voluntary_ctxt_switches/ {n += $2} END {print n}'
}
# "rss private" in KiB
memory() {
    local rss private
    rss=$(awk '/^VmRSS/ {print $2}' "/proc/$1/status")
    private=$(awk '/^Private_(Clean|Dirty)/ {n += $2} END {print n}' "/proc/$1/smaps_rollup")
    echo "$rss $private"
}
# Over one span, for the program and the floor side by side: "cpu x wake" each,
# CPU in ms a minute, wake-ups a second.
measure() {
    local q=${pid[q]} f=${pid[f]} qx=${xserver[q]} fx=${xserver[f]}
    local a=($(cpu_ns "$q") $(cpu_ns "$qx") $(switches "$q") $(cpu_ns "$f") $(cpu_ns "$fx") $(switches "$f"))
    sleep "$span"
    local b=($(cpu_ns "$q") $(cpu_ns "$qx") $(switches "$q") $(cpu_ns "$f") $(cpu_ns "$fx") $(switches "$f"))
    awk -v s="$span" -v a="${a[*]}" -v b="${b[*]}" 'BEGIN {
        split(a, x, " "); split(b, y, " ")
        printf "%.1f %.1f %.2f %.1f %.1f %.2f\n", (y[1] - x[1]) / 1e6 * 60 / s, (y[2] - x[2]) / 1e6 * 60 / s,
            (y[3] - x[3]) / s, (y[4] - x[4]) / 1e6 * 60 / s, (y[5] - x[5]) / 1e6 * 60 / s, (y[6] - x[6]) / s
    }'
}
timers_file() { timer_file_xml "$1" "$2" >"$work/q/app/timers.xml"; } # count start-seconds
maximised_preferences() {
    mkdir -p "$work/q/config/Brindlemoor"
    printf '[General]\nSNumSettings=01000000\n' >"$work/q/config/Brindlemoor/Quorvantel.conf"
}

rows=$work/rows
: >"$rows"
row() { echo "$*" >>"$rows"; }
# memory_rows <suffix> [q|f]: the resident and private memory of one of the two now.
memory_rows() {
    local who=${2:-q} rss private
    read -r rss private <<<"$(memory "${pid[$who]}")"
    row "rss$1_$who $rss" && row "private$1_$who $private"
}
# span_rows <name>: CPU, X server CPU and wake-ups of both over one span.
span_rows() {
    local qc qx qw fc fx fw
    read -r qc qx qw fc fx fw <<<"$(measure)"
    row "$1_cpu $qc $fc" && row "$1_x $qx $fx" && row "$1_wake $qw $fw"
}

for round in $(seq "$rounds"); do
    echo "round $round of $rounds" >&2
    order=(q f)
    [ $((round % 2)) -eq 0 ] && order=(f q)
    for _ in 1 2 3; do
        for who in "${order[@]}"; do
            timers_file 1 300
            timed_launch "$who"
            row "launch_$who $mapped" && row "paint_$who $painted"
            end "$who"
        done
    done

    # Counting, side by side.
    timers_file 1 300
    launch f
    launch q
    wait_window f
    wait_window q
    sleep 1.5
    memory_rows "" q
    memory_rows "" f
    press_space
    sleep 1
    span_rows count
    # The program goes on counting; the floor is started anew with its title
    # changing every second, then once more, flashing.
    end f
    launch f titled
    wait_window f
    sleep 1.5
    span_rows titled
    end q
    end f
    launch f flashing
    wait_window f
    sleep 1.5

    # Flashing: a timer of two seconds run to zero, measured once its fanfare
    # (3.4 s) has ended, so that the span holds the display alone.
    timers_file 1 2
    launch q
    wait_window q
    sleep 1
    press_space
    sleep 6
    span_rows flash
    end q

    # Maximised on 3840x2160, the floor too.
    end f
    timers_file 1 300
    launch f maximised
    launch q maximised
    wait_window f
    wait_window q
    sleep 1.5
    memory_rows 4k q
    memory_rows 4k f
    press_space
    sleep 1
    span_rows count4k
    end q
    end f
    launch f
    wait_window f
    # The floor paints after its window showed: let it settle, so that the
    # launch below has the machine to itself as every other launch has.
    sleep 1.5

    # A hundred timers in the file.
    timers_file 100 300
    timed_launch q
    row "launch100_q $mapped" && row "paint100_q $painted"
    sleep 1.5
    memory_rows 100
    press_space
    sleep 1
    span_rows count100
    end q
    end f
done

# Medians: of the program's values, of the floor's, and of the ratios of the
# two taken within each span.
median() { sort -g | awk '{v[NR] = $1} END {if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else printf "%.2f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
col() { awk -v k="$1" -v c="$2" '$1 == k {print $c}' "$rows" | median; }
ratio() { awk -v k="$1" '$1 == k && $3 > 0 {printf "%.3f\n", $2 / $3}' "$rows" | median | awk '$1 == "-" {print; next} {printf "%.2f\n", $1}'; }
mib() { awk -v k="$1" 'BEGIN {if (k == "-") print "-"; else printf "%.1f", k / 1024}'; }
div() { awk -v a="$1" -v b="$2" 'BEGIN {if (b > 0) printf "%.2f", a / b; else print "-"}'; }

lq=$(col launch_q 2) lf=$(col launch_f 2) dq=$(col paint_q 2) df=$(col paint_f 2)
rq=$(col rss_q 2) rf=$(col rss_f 2) pq=$(col private_q 2) pf=$(col private_f 2)
printf '\n%-40s %12s %12s %10s\n' "Figure (medians, ${rounds} rounds, ${span} s spans)" "Quorvantel" "Floor" "Ratio"
printf '%-46s %12s %12s %8s\n' "----------------------------------------------" "------------" "------------" "--------"
line() { printf '%-46s %12s %12s %8s\n' "$@"; }
line "Launch to window mapped, ms" "$lq" "$lf" "$(div "$lq" "$lf")"
line "Launch to first picture drawn, ms" "$dq" "$df" "$(div "$dq" "$df")"
line "Resident after start-up, MiB" "$(mib "$rq")" "$(mib "$rf")" "$(div "$rq" "$rf")"
line "Private after start-up, MiB" "$(mib "$pq")" "$(mib "$pf")" "$(div "$pq" "$pf")"
for phase in count titled flash count4k count100; do
    case $phase in
    count) name="Counting" ;;
    titled) name="Counting, floor with title" ;;
    flash) name="Flashing, floor flashing" ;;
    count4k) name="3840x2160 maximised" ;;
    count100) name="Counting, 100 timers" ;;
    esac
    line "$name: CPU, ms/min" "$(col ${phase}_cpu 2)" "$(col ${phase}_cpu 3)" "$(ratio ${phase}_cpu)"
    line "$name: X server CPU, ms/min" "$(col ${phase}_x 2)" "$(col ${phase}_x 3)" "$(ratio ${phase}_x)"
    line "$name: wake-ups/s" "$(col ${phase}_wake 2)" "$(col ${phase}_wake 3)" "$(ratio ${phase}_wake)"
done
l100=$(col launch100_q 2) d100=$(col paint100_q 2) r4k=$(col rss4k_q 2) r100=$(col rss100_q 2)
line "100 timers: launch to mapped, ms" "$l100" "$lf" "$(div "$l100" "$lf")"
line "100 timers: launch to drawn, ms" "$d100" "$df" "$(div "$d100" "$df")"
line "100 timers: resident, MiB" "$(mib "$r100")" "$(mib "$rf")" "$(div "$r100" "$rf")"
r4kf=$(col rss4k_f 2)
line "3840x2160: resident, MiB" "$(mib "$r4k")" "$(mib "$r4kf")" "$(div "$r4k" "$r4kf")"
line "3840x2160: private, MiB" "$(mib "$(col private4k_q 2)")" "$(mib "$(col private4k_f 2)")" \
    "$(div "$(col private4k_q 2)" "$(col private4k_f 2)")"
printf '\nWithin the program: flashing / counting CPU %s; 3840x2160 / normal: resident %s, CPU %s;\n' \
    "$(div "$(col flash_cpu 2)" "$(col count_cpu 2)")" "$(div "$r4k" "$rq")" \
    "$(div "$(col count4k_cpu 2)" "$(col count_cpu 2)")"
printf 'within the floor: flashing / counting CPU %s; 3840x2160 / normal: resident %s, CPU %s;\n' \
    "$(div "$(col flash_cpu 3)" "$(col count_cpu 3)")" "$(div "$r4kf" "$rf")" \
    "$(div "$(col count4k_cpu 3)" "$(col count_cpu 3)")"
printf 'the floor with its title moving / the floor: CPU %s, X server CPU %s, wake-ups %s;\n' \
    "$(div "$(col titled_cpu 3)" "$(col count_cpu 3)")" "$(div "$(col titled_x 3)" "$(col count_x 3)")" \
    "$(div "$(col titled_wake 3)" "$(col count_wake 3)")"
printf 'resident minus the floor %s MiB.\n' "$(awk -v a="$rq" -v b="$rf" 'BEGIN {printf "%.1f", (a - b) / 1024}')"
if [ -n "${QV_FIGURES_ROWS:-}" ]; then cp "$rows" "$QV_FIGURES_ROWS"; fi
