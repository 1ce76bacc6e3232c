# The services Quorvantel's tests and figures run the program among, started
# once and stopped once: an X server with a window manager, a private session
# bus, a PulseAudio server on a null sink. Sourced, never run. Every process
# started here is remembered in QV_STARTED_PIDS; qv_stop_started ends them,
# the last started first, and waits for each (nothing here reaps orphans).
#
#   qv_start_x [--size WxH] [--from N]   an Xvfb on the first free display from
#                                        :N (default 99, 1280x1024) with openbox;
#                                        its name in QV_X_DISPLAY, its server's
#                                        process in QV_X_PID
#   qv_wait_window_manager DISPLAY       until openbox is ready there
#   qv_start_session_bus FOLDER          a bus that listens in FOLDER and starts
#                                        nothing on demand; exports
#                                        DBUS_SESSION_BUS_ADDRESS
#   qv_start_accessibility_bus           the accessibility bus of that session
#                                        bus (at-spi-bus-launcher), as a desktop
#                                        with a screen reader has it
#   qv_start_pulse                       PulseAudio with the null sink as default,
#                                        in the caller's XDG_RUNTIME_DIR
#   qv_stop_started                      ends what the calls above started

QV_STARTED_PIDS=()

qv_start_x() {
    local size=1280x1024 display=99
    while [ $# -gt 0 ]; do
        case $1 in
        --size) size=$2; shift 2 ;;
        --from) display=$2; shift 2 ;;
        *) echo "qv_start_x: unknown option $1" >&2; return 2 ;;
        esac
    done
    while [ -e "/tmp/.X${display}-lock" ]; do display=$((display + 1)); done
    QV_X_DISPLAY=:$display
    Xvfb "$QV_X_DISPLAY" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    QV_X_PID=$!
    QV_STARTED_PIDS+=($!)
    for _ in $(seq 50); do DISPLAY=$QV_X_DISPLAY xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    DISPLAY=$QV_X_DISPLAY openbox >/dev/null 2>&1 &
    QV_STARTED_PIDS+=($!)
    qv_wait_window_manager "$QV_X_DISPLAY" || true
}

# openbox announces itself on the root window before it is ready: a window
# mapped during the rest of its start-up was seen never to be managed, and so
# never shown. Its theme is the last thing it sets there.
qv_wait_window_manager() {
    for _ in $(seq 100); do
        DISPLAY=$1 xprop -root _OB_THEME 2>/dev/null | grep -q = && return 0
        sleep 0.05
    done
    echo "no window manager on $1" >&2
    return 1
}

# Only what the caller starts is on the bus: no service is activated on
# demand. Everyone may watch the traffic, as a test that follows a
# notification or a property change does.
qv_start_session_bus() {
    local folder=$1
    cat >"$folder/bus.conf" <<CONF
<busconfig>
  <type>session</type>
  <listen>unix:dir=$folder</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow receive_sender="*"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
    rm -f "$folder/bus.address"
    dbus-daemon --config-file="$folder/bus.conf" --nofork --print-address=3 \
        3>"$folder/bus.address" 2>/dev/null &
    QV_STARTED_PIDS+=($!)
    for _ in $(seq 50); do [ -s "$folder/bus.address" ] && break; sleep 0.1; done
    DBUS_SESSION_BUS_ADDRESS=$(head -1 "$folder/bus.address")
    export DBUS_SESSION_BUS_ADDRESS
    [ -n "$DBUS_SESSION_BUS_ADDRESS" ] || { echo "no session bus" >&2; return 1; }
}

# The launcher ends its bus when it is asked to end (not when it is killed:
# that leaves the bus running), which qv_stop_started does.
qv_start_accessibility_bus() {
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    QV_STARTED_PIDS+=($!)
    for _ in $(seq 50); do
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "no accessibility bus" >&2
    return 1
}

# It daemonises (its own process group, out of reach of a kill of ours), so
# it is ended by its own --kill.
qv_start_pulse() {
    pulseaudio -D -n --exit-idle-time=-1 --disallow-exit \
        --load="module-null-sink sink_name=null" --load=module-native-protocol-unix \
        >/dev/null 2>&1 || true
    for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
    pactl set-default-sink null >/dev/null 2>&1 || true
    QV_PULSE_STARTED=1
}

qv_stop_started() {
    local i
    for ((i = ${#QV_STARTED_PIDS[@]} - 1; i >= 0; i--)); do
        kill "${QV_STARTED_PIDS[i]}" 2>/dev/null || true
        wait "${QV_STARTED_PIDS[i]}" 2>/dev/null || true
    done
    QV_STARTED_PIDS=()
    if [ -n "${QV_PULSE_STARTED:-}" ]; then
        pulseaudio --kill >/dev/null 2>&1 || true
        QV_PULSE_STARTED=
    fi
}
