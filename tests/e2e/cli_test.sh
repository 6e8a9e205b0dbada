#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tolvaren developers
# SPDX-License-Identifier: MIT

# The program at the command line: --help and --version answer without a
# display, mistakes end with an error, Qt's own options still reach Qt, and no
# display at all gives one line on standard error and status 1 instead of an
# abort.
#
#   cli_test.sh PATH/TO/tolvaren VERSION
set -u

program=${1:?usage: cli_test.sh PATH/TO/tolvaren VERSION}
version=${2:?usage: cli_test.sh PATH/TO/tolvaren VERSION}
work=$(mktemp -d "${TMPDIR:-/tmp}/tolvaren-cli.XXXXXX")
trap 'rm -rf "$work"' EXIT

failures=0
# check NAME EXPECTED-STATUS STDOUT-PATTERN STDERR-PATTERN -- ENV... -- ARGS...
# The patterns are extended regular expressions for the whole output ('' for
# none at all). Every run has no display unless its row gives one, no
# XDG_RUNTIME_DIR (as under su) and a time limit ($limit seconds, 10 unless
# set): a window that opens by mistake ends the run with status 124.
check() {
    local name=$1 want_status=$2 want_out=$3 want_err=$4
    shift 4
    [ "$1" = -- ] && shift
    local envs=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        envs+=("$1")
        shift
    done
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR "${envs[@]}" \
        timeout "${limit:-10}" "$program" "$@" >"$work/out" 2>"$work/err"
    local status=$?
    local out err
    out=$(cat "$work/out")
    err=$(cat "$work/err")
    local problems=()
    [ "$status" -eq "$want_status" ] || problems+=("status $status, expected $want_status")
    if [ -z "$want_out" ]; then
        [ -z "$out" ] || problems+=("unexpected standard output")
    elif ! printf %s "$out" | grep -Eqz "^($want_out)$"; then
        problems+=("standard output does not match /$want_out/")
    fi
    if [ -z "$want_err" ]; then
        [ -z "$err" ] || problems+=("unexpected standard error")
    elif ! printf %s "$err" | grep -Eqz "^($want_err)$"; then
        problems+=("standard error does not match /$want_err/")
    fi
    if [ ${#problems[@]} -eq 0 ]; then
        echo "ok: $name"
    else
        echo "FAILED: $name: ${problems[*]}"
        echo "   stdout: $out"
        echo "   stderr: $err"
        failures=$((failures + 1))
    fi
}

# grep -z lets '.' match line ends too.
help_out='Usage: [^ ]*tolvaren \[options\].*  -h, --help .*  --help-all .*  -v, --version .*'

echo "== answers that need no display"
check version 0 "tolvaren ${version//./\\.}" '' -- -- --version
check version-short 0 "tolvaren ${version//./\\.}" '' -- -- -v
check help 0 "$help_out" '' -- -- --help
check help-short 0 "$help_out" '' -- -- -h
check help-all 0 "$help_out  --platform .*" '' -- -- --help-all
check version-after-qt-option 0 "tolvaren ${version//./\\.}" '' -- -- -style Fusion --version

echo "== mistakes"
check unknown-long-option 1 '' "tolvaren: Unknown option 'frobnicate'\\." -- -- --frobnicate
check unknown-short-option 1 '' "tolvaren: Unknown option 'x'\\." -- -- -x
check unknown-option-before-version 1 '' "tolvaren: Unknown option 'frobnicate'\\." -- -- --frobnicate --version
check stray-argument 1 '' "tolvaren: Unexpected argument 'meters'\\." -- -- meters

echo "== no display"
no_display='tolvaren: cannot open a display: neither DISPLAY nor WAYLAND_DISPLAY is set'
check display-not-set 1 '' "$no_display" -- QT_QPA_PLATFORM= --
check display-not-set-qt-option-without-value 1 '' "$no_display" -- -- -platform

echo "== Qt's own options reach Qt"
# Without a display, only the platform named on the command line can start
# the program; it runs until the time limit ends it.
limit=3 check platform-option-taken 124 '' '.*' -- -- -platform offscreen -style Fusion -reverse

echo "$failures check(s) failed"
[ "$failures" -eq 0 ]
