# SPDX-FileCopyrightText: 2026 Tolvaren developers
# SPDX-License-Identifier: MIT

# Sourced by run_e2e.sh, deb_install.sh and scripts/screenshots: a scratch
# directory $work and a private X server, both gone on the way out however
# the script ends. A script's own clean-up goes into stop_own, which runs
# first.
#
#   . xvfb.sh NAME; start_xvfb [XVFB-OPTION ...] || exit 1   # sets $display

work=$(mktemp -d "${TMPDIR:-/tmp}/tolvaren-$1.XXXXXX")
xvfb_pid=
stop_own() { :; }
cleanup() {
    stop_own
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

start_xvfb() {
    # Xvfb picks a free display itself and writes its number once it is ready.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp "$@" 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ ! -s "$work/display" ]; then
        echo "Xvfb gave no display:" >&2
        cat "$work/xvfb.log" >&2
        return 1
    fi
    display=:$(tr -d '[:space:]' <"$work/display")
    mkdir -p "$work/runtime" && chmod 700 "$work/runtime"
}
