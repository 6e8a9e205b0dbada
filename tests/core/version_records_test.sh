#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tolvaren developers
# SPDX-License-Identifier: MIT

# The changelog and the metainfo record each release under its version: one
# that names another version than the project must stop the configure step
# with a message naming the file. Each row changes one record in a copy of
# the sources and configures it.
#   version_records_test.sh SOURCE_DIR CMAKE
set -euo pipefail
src=$1
cmake=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

rows=(
    "changelog|packaging/changelog|1s/^tolvaren ([^)]*)/tolvaren (0.0)/"
    "metainfo|packaging/org.tolvaren.Tolvaren.metainfo.xml|0,/<release version=\"[^\"]*\"/s//<release version=\"0.0\"/"
)
failed=0
for row in "${rows[@]}"; do
    IFS='|' read -r name file edit <<<"$row"
    copy=$work/$name
    mkdir -p "$copy"
    tar -C "$src" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$copy" -xf -
    sed -i "$edit" "$copy/$file"
    if "$cmake" -S "$copy" -B "$copy/build" -DTOLVAREN_GUI=OFF -DTOLVAREN_TESTS=OFF -DTOLVAREN_BENCHMARKS=OFF \
        >"$work/$name.log" 2>&1; then
        echo "FAIL $name: configured although $file names version 0.0"
        failed=1
    elif ! grep -q "$file names version \"0.0\"" "$work/$name.log"; then
        echo "FAIL $name: the configure step stopped without naming $file:"
        cat "$work/$name.log"
        failed=1
    else
        echo "ok   $name"
    fi
done
exit $failed
