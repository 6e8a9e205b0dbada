#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tolvaren developers
# SPDX-License-Identifier: MIT

# Runs the end-to-end suite against a built program on a private X server
# (Xvfb, on a display nobody else uses) with a private session bus that
# carries the accessibility bus. Everything started here is stopped on the
# way out, however the suite ends.
#
#   run_e2e.sh [--suite SCRIPT] PATH/TO/tolvaren [CASE ...]
#
# SCRIPT is the suite in this folder, e2e_test.py unless told otherwise.
set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
suite=e2e_test.py
if [ "${1:-}" = --suite ]; then
    suite=${2:?usage: run_e2e.sh [--suite SCRIPT] PATH/TO/tolvaren [CASE ...]}
    shift 2
fi
program=${1:?usage: run_e2e.sh [--suite SCRIPT] PATH/TO/tolvaren [CASE ...]}
shift
# The whole suite, not one case; CTest's own timeout sits above this.
suite_limit=${TOLVAREN_E2E_LIMIT:-600}

for tool in Xvfb dbus-run-session /usr/libexec/at-spi-bus-launcher; do
    if ! command -v "$tool" >/dev/null; then
        echo "run_e2e.sh: $tool is missing (scripts/common.sh lists the packages)" >&2
        exit 1
    fi
done
for module in pyatspi:python3-pyatspi Xlib:python3-xlib; do
    if ! /usr/bin/python3 -c "import ${module%%:*}" 2>/dev/null; then
        echo "run_e2e.sh: /usr/bin/python3 cannot import ${module%%:*} (package ${module#*:})" >&2
        exit 1
    fi
done

suite_pid=
. "$here/xvfb.sh" e2e
# The suite runs in a session of its own: this takes the program, the bus
# daemons and the accessibility registry with it.
stop_own() { [ -z "$suite_pid" ] || kill -KILL -- "-$suite_pid" 2>/dev/null; }

start_xvfb -noreset || exit 1
echo "X display $display"
# A fresh home too, so that no setting of the machine's user reaches the
# program.
mkdir -p "$work/home"

setsid timeout -k 5 "$suite_limit" \
    env -u DBUS_SESSION_BUS_ADDRESS -u AT_SPI_BUS_ADDRESS -u XAUTHORITY \
    DISPLAY="$display" HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
    XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache" \
    QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0 \
    LC_ALL=C.UTF-8 \
    dbus-run-session -- /usr/bin/python3 -B -u "$here/$suite" "$program" "$@" \
    2> >(grep -v -e 'Failed to set fd limit' -e 'Activating service' -e 'Successfully activated' >&2) &
suite_pid=$!
wait "$suite_pid"
status=$?
if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    echo "run_e2e.sh: the suite did not finish within $suite_limit s" >&2
fi
exit "$status"
