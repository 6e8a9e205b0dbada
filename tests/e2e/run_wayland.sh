#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tolvaren developers
# SPDX-License-Identifier: MIT

# Runs wayland_test.py against a built program on a private weston (on a
# socket of its own) with a private session bus that carries the
# accessibility bus. Weston draws into a window of a private X server
# (Xvfb), so that the test can press the buttons of the windows' frames
# with real pointer clicks (xdotool); the program itself has no X display.
# Weston's window sits at the X server's origin and leaves a strip free to
# the right and below, where the pointer can leave it. Everything started
# here is stopped on the way out.
#
#   run_wayland.sh PATH/TO/tolvaren
set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
program=${1:?usage: run_wayland.sh PATH/TO/tolvaren}
export TOLVAREN_FACTS=${TOLVAREN_FACTS:-$(dirname "$program")/tests/e2e/product_facts}
suite_limit=${TOLVAREN_E2E_LIMIT:-90}

# A scratch directory, the X server weston draws on, the suite's session
# and clean-up on the way out.
. "$here/xvfb.sh" wayland
require_tools weston weston-debug Xvfb xdotool dbus-run-session /usr/libexec/at-spi-bus-launcher -- \
    pyatspi:python3-pyatspi
start_xvfb || exit 1
weston_pid=
stop_own() { [ -z "$weston_pid" ] || { kill "$weston_pid" 2>/dev/null; wait "$weston_pid" 2>/dev/null; }; }

runtime=$work/runtime
socket=tolvaren-test
# No panel (nothing to launch by a stray click) and no screen lock.
printf '[shell]\npanel-position=none\nlocking=false\n' >"$work/weston.ini"
# The debug protocol lets the test read where weston has put each window.
env -u WAYLAND_DISPLAY DISPLAY="$display" XDG_RUNTIME_DIR="$runtime" \
    weston --backend=x11-backend.so --use-pixman --config="$work/weston.ini" --debug --socket="$socket" \
    --width=960 --height=720 --idle-time=0 --log="$work/weston.log" 2>>"$work/weston.log" &
weston_pid=$!
if ! await_ready "$weston_pid" -S "$runtime/$socket"; then
    echo "weston opened no socket:" >&2
    cat "$work/weston.log" >&2
    exit 1
fi

run_suite "$suite_limit" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland -- \
    wayland_test.py "$program" "$work/program.log" "$display"
