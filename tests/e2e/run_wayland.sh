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

# A scratch directory, the suite's session and clean-up on the way out; no
# X server is started.
. "$here/xvfb.sh" wayland
weston_pid=
stop_own() { [ -z "$weston_pid" ] || { kill "$weston_pid" 2>/dev/null; wait "$weston_pid" 2>/dev/null; }; }

runtime=$work/runtime
mkdir -p "$runtime" && chmod 700 "$runtime"
socket=tolvaren-test
# No screen lock while the test runs (--idle-time=0).
env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$runtime" \
    weston --backend=headless-backend.so --use-pixman --socket="$socket" --width=1024 --height=768 \
    --idle-time=0 --log="$work/weston.log" &
weston_pid=$!
if ! await_ready "$weston_pid" -S "$runtime/$socket"; then
    echo "weston opened no socket:" >&2
    cat "$work/weston.log" >&2
    exit 1
fi

run_suite "$suite_limit" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland -- \
    wayland_test.py "$program" "$work/program.log"
