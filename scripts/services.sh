#!/usr/bin/env bash
# Sourced by the test script: a private runtime folder, a PulseAudio server with a
# null sink whose monitor tests record, and an X server with a window manager for
# the whole-program tests (QV_TEST_DISPLAY). Everything started here is stopped
# on exit.
source "$(dirname "${BASH_SOURCE[0]}")/lib/services.bash"

qv_services_start() {
    export XDG_RUNTIME_DIR
    XDG_RUNTIME_DIR=$(mktemp -d /tmp/qv-runtime.XXXXXX)
    chmod 700 "$XDG_RUNTIME_DIR"
    qv_start_pulse
    qv_start_x
    export QV_TEST_DISPLAY=$QV_X_DISPLAY
    trap qv_services_stop EXIT
}

qv_services_stop() {
    qv_stop_started
    rm -rf "$XDG_RUNTIME_DIR"
}
