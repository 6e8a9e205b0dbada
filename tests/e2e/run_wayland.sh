#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tolvaren developers
# SPDX-License-Identifier: MIT

# Runs wayland_test.py against a built program on a private weston (headless,
# drawn in memory, on a socket of its own) with a private session bus that
# carries the accessibility bus. No X server is involved: DISPLAY is unset.
# Everything started here is stopped on the way out.
#
#   run_wayland.sh PATH/TO/tolvaren
set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
program=${1:?usage: run_wayland.sh PATH/TO/tolvaren}
suite_limit=${TOLVAREN_E2E_LIMIT:-90}

for tool in weston dbus-run-session /usr/libexec/at-spi-bus-launcher; do
    if ! command -v "$tool" >/dev/null; then
        echo "run_wayland.sh: $tool is missing (scripts/common.sh lists the packages)" >&2
        exit 1
    fi
done
if ! /usr/bin/python3 -c "import pyatspi" 2>/dev/null; then
    echo "run_wayland.sh: /usr/bin/python3 cannot import pyatspi (package python3-pyatspi)" >&2
    exit 1
fi

# A scratch directory and clean-up on the way out; no X server is started.
. "$here/xvfb.sh" wayland
weston_pid=
suite_pid=
stop_own() {
    [ -z "$suite_pid" ] || kill -KILL -- "-$suite_pid" 2>/dev/null
    [ -z "$weston_pid" ] || { kill "$weston_pid" 2>/dev/null; wait "$weston_pid" 2>/dev/null; }
}

runtime=$work/runtime
mkdir -p "$runtime" "$work/home" && chmod 700 "$runtime"
socket=tolvaren-test
# No screen lock while the test runs (--idle-time=0).
env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$runtime" \
    weston --backend=headless-backend.so --use-pixman --socket="$socket" --width=1024 --height=768 \
    --idle-time=0 --log="$work/weston.log" &
weston_pid=$!
for _ in $(seq 100); do
    [ -S "$runtime/$socket" ] && break
    kill -0 "$weston_pid" 2>/dev/null || break
    sleep 0.1
done
if [ ! -S "$runtime/$socket" ]; then
    echo "weston opened no socket:" >&2
    cat "$work/weston.log" >&2
    exit 1
fi

setsid timeout -k 5 "$suite_limit" \
    env -u DISPLAY -u XAUTHORITY -u DBUS_SESSION_BUS_ADDRESS -u AT_SPI_BUS_ADDRESS \
    WAYLAND_DISPLAY="$socket" XDG_RUNTIME_DIR="$runtime" HOME="$work/home" \
    XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache" \
    QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0 LC_ALL=C.UTF-8 \
    dbus-run-session -- /usr/bin/python3 -B -u "$here/wayland_test.py" "$program" "$work/program.log" \
    2> >(grep -v -e 'Failed to set fd limit' -e 'Activating service' -e 'Successfully activated' >&2) &
suite_pid=$!
wait "$suite_pid"
status=$?
if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    echo "run_wayland.sh: the test did not finish within $suite_limit s" >&2
fi
exit "$status"
