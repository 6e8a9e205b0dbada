# SPDX-FileCopyrightText: 2026 Tolvaren developers
# SPDX-License-Identifier: MIT

# Sourced by run_e2e.sh, run_wayland.sh, deb_install.sh and
# scripts/screenshots: a scratch directory $work, a private X server and a
# test suite in a session of its own, all gone on the way out however the
# script ends. A script's own clean-up goes into stop_own, which runs first.
#
#   . xvfb.sh NAME; start_xvfb [XVFB-OPTION ...] || exit 1   # sets $display
#   run_suite LIMIT [ENV-SETTING ...] -- SCRIPT [ARG ...]
#   require_tools TOOL ... -- MODULE:PACKAGE ...             # or exits

work=$(mktemp -d "${TMPDIR:-/tmp}/tolvaren-$1.XXXXXX")
xvfb_pid=
suite_pid=
stop_own() { :; }
cleanup() {
    stop_own
    # The suite's session takes the program, the bus daemons and the
    # accessibility registry with it.
    [ -z "$suite_pid" ] || kill -KILL -- "-$suite_pid" 2>/dev/null
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# await_ready PID TEST ...: waits up to 10 s until `test TEST ...` holds,
# giving up early if PID ends; true if it holds.
await_ready() {
    local pid=$1
    shift
    for _ in $(seq 100); do
        test "$@" && return 0
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    test "$@"
}

# Exits with a line naming what is missing: a TOOL not on the path, or a
# Python MODULE Debian's Python cannot import (from PACKAGE).
require_tools() {
    local script tool module
    script=$(basename "$0")
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        if ! command -v "$1" >/dev/null; then
            echo "$script: $1 is missing (scripts/common.sh lists the packages)" >&2
            exit 1
        fi
        shift
    done
    [ $# -eq 0 ] || shift
    for module in "$@"; do
        if ! /usr/bin/python3 -c "import ${module%%:*}" 2>/dev/null; then
            echo "$script: /usr/bin/python3 cannot import ${module%%:*} (package ${module#*:})" >&2
            exit 1
        fi
    done
}

start_xvfb() {
    # Xvfb picks a free display itself and writes its number once it is ready.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp "$@" 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    if ! await_ready "$xvfb_pid" -s "$work/display"; then
        echo "Xvfb gave no display:" >&2
        cat "$work/xvfb.log" >&2
        return 1
    fi
    display=:$(tr -d '[:space:]' <"$work/display")
    mkdir -p "$work/runtime" && chmod 700 "$work/runtime"
}

# Runs SCRIPT of this folder with Debian's Python on a private session bus,
# which carries the accessibility bus, in a session of its own, with a fresh
# home so that no setting of the machine's user reaches the program, and
# stops it after LIMIT seconds. The ENV-SETTINGs (as `env` takes them) say
# which display the program uses. Returns the script's status.
run_suite() {
    local limit=$1 settings=() status
    shift
    while [ "$1" != -- ]; do
        settings+=("$1")
        shift
    done
    shift
    local script=$1
    shift
    mkdir -p "$work/home" "$work/runtime" && chmod 700 "$work/runtime"
    setsid timeout -k 5 "$limit" \
        env -u DISPLAY -u WAYLAND_DISPLAY -u XAUTHORITY -u DBUS_SESSION_BUS_ADDRESS -u AT_SPI_BUS_ADDRESS \
        HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
        XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache" \
        QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0 LC_ALL=C.UTF-8 "${settings[@]}" \
        dbus-run-session -- /usr/bin/python3 -B -u "$(dirname "${BASH_SOURCE[0]}")/$script" "$@" \
        2> >(grep -v -e 'Failed to set fd limit' -e 'Activating service' -e 'Successfully activated' >&2) &
    suite_pid=$!
    wait "$suite_pid"
    status=$?
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        echo "$script did not finish within $limit s" >&2
    fi
    return "$status"
}
