#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tolvaren developers
# SPDX-License-Identifier: MIT

# Builds the Debian package twice from the same sources, each time from a
# copy of them in a folder of its own, the way two checkouts of one commit
# would: different paths, and in the second copy different file times. Each
# build has only what the package needs: configured without tests, the
# program target built, then cpack. The two .deb files must be the same byte
# for byte. Skipped (status 77) where a tool the package build needs is
# missing or the sources are no git checkout (then which files are sources
# is not known).
#
#   deb_reproducible.sh SOURCE_DIR CMAKE CPACK
set -u

source_dir=$(cd "${1:?usage: deb_reproducible.sh SOURCE_DIR CMAKE CPACK}" && pwd)
cmake=${2:?usage: deb_reproducible.sh SOURCE_DIR CMAKE CPACK}
cpack=${3:?usage: deb_reproducible.sh SOURCE_DIR CMAKE CPACK}

for tool in git ninja dpkg-shlibdeps dpkg-deb tar cmp; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is not installed"
        exit 77
    fi
done
if ! git -C "$source_dir" rev-parse --git-dir >/dev/null 2>&1; then
    echo "$source_dir is no git checkout"
    exit 77
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/tolvaren-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT TERM HUP

# copy TO [TAR-OPTION ...]: the files git knows of, as the working tree has
# them, so that a change not yet committed is built too.
copy() {
    local to=$1
    shift
    mkdir -p "$to"
    (cd "$source_dir" && git ls-files -z --cached --others --exclude-standard |
        tar --null --ignore-failed-read -T - -cf -) | tar -xf - -C "$to" "$@"
}

# package SOURCES: builds the package from SOURCES and prints its path.
package() {
    local src=$1
    local log=$src.log
    if ! { "$cmake" -S "$src" -B "$src/build" -G Ninja -DTOLVAREN_GUI=ON -DTOLVAREN_TESTS=OFF \
        -DTOLVAREN_BENCHMARKS=OFF && "$cmake" --build "$src/build" --target tolvaren -j2 &&
        (cd "$src/build" && "$cpack" -G DEB -B "$src/out"); } >"$log" 2>&1; then
        sed 's/^/   | /' "$log" >&2
        echo "FAILED: the package could not be built in $src" >&2
        return 1
    fi
    ls "$src"/out/*.deb
}

copy "$work/one/tolvaren"
# Fresh file times, as a later checkout has.
copy "$work/second-checkout/elsewhere/tolvaren-copy" --touch
first=$(package "$work/one/tolvaren") || exit 1
second=$(package "$work/second-checkout/elsewhere/tolvaren-copy") || exit 1
echo "built $(basename "$first") twice"

if cmp "$first" "$second"; then
    echo "ok: the two packages are the same byte for byte"
    exit 0
fi
# Where they differ, to start looking.
for deb in "$first" "$second"; do
    dpkg-deb -R "$deb" "$deb.tree"
done
diff -r "$first.tree" "$second.tree" && echo "the files inside are the same: the archives differ in their headers"
echo "FAILED: two builds of the same sources gave different packages"
exit 1
