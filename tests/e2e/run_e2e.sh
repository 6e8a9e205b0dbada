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
# What the suites check the program against, built beside it.
export TOLVAREN_FACTS=${TOLVAREN_FACTS:-$(dirname "$program")/tests/e2e/product_facts}
# The whole suite, not one case; CTest's own timeout sits above this.
suite_limit=${TOLVAREN_E2E_LIMIT:-600}

. "$here/xvfb.sh" e2e
require_tools Xvfb dbus-run-session /usr/libexec/at-spi-bus-launcher -- pyatspi:python3-pyatspi Xlib:python3-xlib
start_xvfb -noreset || exit 1
echo "X display $display"
run_suite "$suite_limit" DISPLAY="$display" QT_QPA_PLATFORM=xcb -- "$suite" "$program" "$@"
