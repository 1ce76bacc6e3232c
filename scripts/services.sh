#!/usr/bin/env bash
# Sourced by the test script: a private runtime folder, a PulseAudio server with a
# null sink whose monitor tests record, and an X server with a window manager for
# the whole-program tests. Everything started here is stopped on exit.
qv_services_start() {
    export XDG_RUNTIME_DIR
    XDG_RUNTIME_DIR=$(mktemp -d /tmp/qv-runtime.XXXXXX)
    chmod 700 "$XDG_RUNTIME_DIR"
    QV_SERVICE_PIDS=()

    pulseaudio -D -n --exit-idle-time=-1 --disallow-exit \
        --load="module-null-sink sink_name=null" --load=module-native-protocol-unix \
        >/dev/null 2>&1 || true
    for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
    pactl set-default-sink null >/dev/null 2>&1 || true

    local display=99
    while [ -e "/tmp/.X${display}-lock" ]; do display=$((display + 1)); done
    Xvfb ":${display}" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    QV_SERVICE_PIDS+=($!)
    export QV_TEST_DISPLAY=":${display}"
    for _ in $(seq 50); do DISPLAY=$QV_TEST_DISPLAY xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    DISPLAY=$QV_TEST_DISPLAY openbox >/dev/null 2>&1 &
    QV_SERVICE_PIDS+=($!)
    qv_wait_window_manager "$QV_TEST_DISPLAY"
    trap qv_services_stop EXIT
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
}

qv_services_stop() {
    pulseaudio --kill >/dev/null 2>&1 || true
    for pid in "${QV_SERVICE_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$XDG_RUNTIME_DIR"
}
