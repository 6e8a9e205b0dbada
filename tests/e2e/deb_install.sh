#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tolvaren developers
# SPDX-License-Identifier: MIT

# Packs the built program as a .deb with CPack and checks what the package
# declares and holds and what lintian says of it; then installs it for real
# with apt-get, so that its dependencies resolve, starts the installed program
# on a private X server, where it must open its main window and stay up, and
# purges it again with whatever the installation pulled in. Needs root or
# sudo; skipped (status 77) where the package is installed already, so as not
# to touch someone's own copy. VERSION is the project's, as CMake has it:
# --version and the window's caption name it, the package names it with the
# Debian release it was built on (1.10+deb13), as its library names are that
# release's.
#
#   deb_install.sh BUILD_DIR VERSION
set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:?usage: deb_install.sh BUILD_DIR VERSION}" && pwd)
version=${2:?usage: deb_install.sh BUILD_DIR VERSION}
debian_release=$(. /etc/os-release && echo "${VERSION_ID:-}")
package_version=$version${debian_release:++deb$debian_release}
id=org.tolvaren.Tolvaren

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo -n "$@"; fi
}
# Waits for another apt-get or dpkg to finish instead of failing at once.
apt_get() {
    as_root env DEBIAN_FRONTEND=noninteractive apt-get -q -y -o DPkg::Lock::Timeout=120 "$@"
}
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

if installed tolvaren; then
    echo "tolvaren is installed on this machine already: not replacing it"
    exit 77
fi
if ! as_root true 2>/dev/null; then
    echo "installing needs root or password-less sudo"
    exit 77
fi

bus_pid=
app_pid=
# Packages this test installed, purged on the way out.
added=()
. "$here/xvfb.sh" deb
stop_own() {
    [ -n "$app_pid" ] && kill -KILL "$app_pid" 2>/dev/null
    [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
    if [ ${#added[@]} -gt 0 ]; then
        apt_get purge "${added[@]}" >"$work/purge.log" 2>&1 || cat "$work/purge.log"
    fi
}

failures=0
pass() { echo "ok: $*"; }
fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}
finish() {
    echo "$failures check(s) failed"
    [ "$failures" -eq 0 ]
    exit
}

echo "== pack"
if ! (cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1); then
    cat "$work/cpack.log"
    fail "cpack could not build the package"
    finish
fi
debs=("$work"/out/*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    fail "expected one .deb, found: ${debs[*]}"
    finish
fi
deb=${debs[0]}
pass "built $(basename "$deb")"

echo "== control fields"
field() { dpkg-deb -f "$deb" "$1"; }
for pair in Package=tolvaren Section=utils "Version=$package_version" "Maintainer=Tolvaren developers <tolvaren@example.org>" \
    "Recommends=fonts-liberation, fonts-dejavu-core, fonts-ocr-a, fonts-roboto-slab, qt6-translations-l10n"; do
    name=${pair%%=*}
    [ "$(field "$name")" = "${pair#*=}" ] && pass "$name" || fail "$name is '$(field "$name")'"
done
depends=$(field Depends)
echo "   Depends: $depends"
# dpkg-shlibdeps found the libraries: Qt's by name, the C++ runtime too.
# Debian 13 renamed the libraries whose interface holds a time for its
# 64-bit time (libqt6core6 is libqt6core6t64 there).
depends_names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//')
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 libc6; do
    grep -qxF -e "$lib" -e "${lib}t64" <<<"$depends_names" && pass "Depends names $lib" || fail "Depends lacks $lib"
done
homepage=$(field Homepage)
[[ $homepage == https://* ]] && pass "Homepage $homepage" || fail "Homepage is '$homepage'"

echo "== contents"
dpkg-deb -x "$deb" "$work/root"
root=$work/root
expected=(
    usr/bin/tolvaren
    "usr/share/applications/$id.desktop"
    "usr/share/metainfo/$id.metainfo.xml"
    "usr/share/icons/hicolor/scalable/apps/$id.svg"
    usr/share/man/man1/tolvaren.1.gz
    usr/share/doc/tolvaren/copyright
    usr/share/doc/tolvaren/changelog.gz
)
for size in 16 32 48 128; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for f in "${expected[@]}"; do
    [ -f "$root/$f" ] && pass "$f" || fail "$f is missing"
done
unexpected=$(cd "$root" && find . -type f | sed 's|^\./||' | sort | comm -23 - <(printf '%s\n' "${expected[@]}" | sort))
[ -z "$unexpected" ] && pass "nothing else packed" || fail "unexpected files: $unexpected"
[ -x "$root/usr/bin/tolvaren" ] && pass "the program is executable" || fail "usr/bin/tolvaren is not executable"
for size in 16 32 48 128; do
    png="$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
    file -b "$png" | grep -q "PNG image data, $size x $size" && pass "icon $size is ${size}x$size" ||
        fail "icon $size is $(file -b "$png")"
done
grep -q '<svg' "$root/usr/share/icons/hicolor/scalable/apps/$id.svg" && pass "scalable icon is SVG" ||
    fail "scalable icon is no SVG"
zgrep -qF "\"tolvaren $version\"" "$root/usr/share/man/man1/tolvaren.1.gz" && pass "manual page names $version" ||
    fail "the manual page does not name tolvaren $version"
if command -v readelf >/dev/null; then
    if readelf -d "$root/usr/bin/tolvaren" | grep -Eq 'RPATH|RUNPATH'; then
        fail "the installed program carries a run path: $(readelf -d "$root/usr/bin/tolvaren" | grep -E 'RPATH|RUNPATH')"
    else
        pass "no run path"
    fi
fi

# Built with the release's hardening flags, and with immediate binding.
# hardening-check's control flow check is left out: it looks for the mark
# the linker gives a program only when every object in it has the mark, and
# Debian's C library start files (crti.o, Scrt1.o) have none, so no program
# built on Debian has it, Debian's own included. Where the release's flags
# ask for that protection (Debian 13), its landing instructions in the
# program's code are looked for instead. hardening-check of Debian 13 looks
# for ARM's branch protection mark on every architecture: left out but on ARM.
if command -v hardening-check >/dev/null; then
    hardening_options=(--nocfprotection)
    if [ "$(dpkg --print-architecture)" != arm64 ] && hardening-check --help 2>&1 | grep -q -- --nobranchprotection; then
        hardening_options+=(--nobranchprotection)
    fi
    if hardening-check "${hardening_options[@]}" "$root/usr/bin/tolvaren" >"$work/hardening.log" 2>&1; then
        pass "hardening-check ${hardening_options[*]}"
    else
        sed 's/^/   /' "$work/hardening.log"
        fail "hardening-check ${hardening_options[*]}"
    fi
else
    fail "hardening-check is not installed (package devscripts)"
fi
if [ "$(dpkg --print-architecture)" = amd64 ] &&
    dpkg-buildflags --query-features hardening | grep -A1 -x 'Feature: branch' | grep -qx 'Enabled: yes'; then
    # The packed program has no symbols: its functions are counted in the
    # program it was packed from. Without the flag, GCC's own start files
    # alone bring a landing instruction or two.
    read -r landed functions < <(objdump -d --no-show-raw-insn -j .text "$build/tolvaren" |
        awk '/^[0-9a-f]+ <.*>:$/ { first = 1; n++; next }
             first && NF >= 2 { if ($2 == "endbr64") e++; first = 0 }
             END { print e + 0, n + 0 }')
    if [ $((2 * landed)) -gt "$functions" ]; then
        pass "control flow protection: $landed of $functions functions start with endbr64"
    else
        fail "$landed of $functions functions start with endbr64: the program is built without -fcf-protection"
    fi
fi

echo "== desktop entry and metainfo"
desktop=$root/usr/share/applications/$id.desktop
if out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ]; then
    pass "desktop-file-validate"
else
    fail "desktop-file-validate: $out"
fi
grep -qx "Exec=tolvaren" "$desktop" && pass "Exec" || fail "the entry does not run tolvaren"
grep -qx "Icon=$id" "$desktop" && pass "Icon" || fail "the entry does not name the icon $id"
# Neither errors nor warnings; informational and pedantic notes are fine.
appstream_valid() {
    appstreamcli "$@" >"$work/as.log" 2>&1
    local status=$?
    sed 's/^/   /' "$work/as.log"
    if [ "$status" -eq 0 ] && ! grep -q '^[EW]:' "$work/as.log"; then
        pass "appstreamcli $1"
    else
        fail "appstreamcli $1 (status $status)"
    fi
}
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
appstream_valid validate --no-net "$metainfo"
grep -qF "<url type=\"homepage\">$homepage</url>" "$metainfo" && pass "the metainfo's home page is the package's" ||
    fail "the metainfo does not name the home page $homepage"
# The metainfo names the desktop entry and the program it installs beside.
appstream_valid validate-tree --no-net "$root"

echo "== lintian"
# Debian's own checks of the binary package: informational tags are fine,
# but for the hardening ones, which lintian gives as information alone.
lintian --display-info --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1
status=$?
sed 's/^/   /' "$work/lintian.log"
[ "$status" -eq 0 ] && pass "lintian: no error or warning" || fail "lintian (status $status)"
if grep -q ': hardening-' "$work/lintian.log"; then
    fail "lintian finds the program not hardened"
else
    pass "lintian: no hardening tag"
fi

echo "== install"
before=$(dpkg-query -W -f='${Package}\n' | sort)
if ! apt_get install "$deb" >"$work/install.log" 2>&1; then
    sed 's/^/   | /' "$work/install.log"
    fail "apt-get could not install the package"
    finish
fi
# tolvaren itself and whatever it pulled in, to purge on the way out.
mapfile -t added < <(dpkg-query -W -f='${Package}\n' | sort | comm -13 <(echo "$before") -)
pass "installed: ${added[*]}"
installed tolvaren && pass "dpkg knows tolvaren as installed" || fail "dpkg does not list tolvaren as installed"
# The manual page is where man looks, unless dpkg is told to leave manual
# pages out, as in slim containers.
if ! grep -rqs '^path-exclude=/usr/share/man' /etc/dpkg/dpkg.cfg.d; then
    [ "$(man -w tolvaren 2>/dev/null)" = /usr/share/man/man1/tolvaren.1.gz ] && pass "man -w tolvaren" ||
        fail "man does not find tolvaren.1: $(man -w tolvaren 2>&1)"
fi
printed=$(env -u DISPLAY /usr/bin/tolvaren --version 2>&1)
[ "$printed" = "tolvaren $version" ] && pass "tolvaren --version" || fail "tolvaren --version printed '$printed'"

echo "== start the installed program"
if ! start_xvfb; then
    fail "Xvfb did not start"
    finish
fi
export DISPLAY=$display
# A session bus of its own, as on a desktop: without one the D-Bus library
# would start a bus for the display that outlives the test.
{
    read -r bus_address
    read -r bus_pid
} < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
if [ -z "$bus_address" ]; then
    fail "could not start a session bus"
    finish
fi
env -u AT_SPI_BUS_ADDRESS DBUS_SESSION_BUS_ADDRESS="$bus_address" XDG_RUNTIME_DIR="$work/runtime" \
    QT_QPA_PLATFORM=xcb /usr/bin/tolvaren >"$work/app.log" 2>&1 &
app_pid=$!
# It must show its main window and still be running two seconds later.
window=$(timeout 15 xdotool search --sync --onlyvisible --pid "$app_pid" --name "^Tolvaren v${version//./\\.}\$" 2>/dev/null | head -n 1)
if [ -n "$window" ]; then
    pass "main window shown: $(xwininfo -id "$window" | sed -n 's/^xwininfo: Window id: //p')"
    xwininfo -id "$window" | grep -q 'Map State: IsViewable' && pass "the window is viewable" ||
        fail "the window is not viewable"
else
    fail "no main window titled \"Tolvaren v$version\" within 15 s"
fi
sleep 2
if kill -0 "$app_pid" 2>/dev/null; then
    pass "still running after 2 s"
    kill -TERM "$app_pid"
    for _ in $(seq 50); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$app_pid" 2>/dev/null; then
        fail "did not end within 5 s of SIGTERM"
    else
        wait "$app_pid"
        status=$?
        [ "$status" -eq 143 ] && pass "ended by SIGTERM" || fail "ended with status $status after SIGTERM"
        app_pid=
    fi
else
    wait "$app_pid"
    fail "the program ended by itself with status $?"
    app_pid=
fi
if [ -s "$work/app.log" ]; then
    echo "   program output:"
    sed 's/^/   | /' "$work/app.log"
fi

echo "== remove"
if apt_get purge "${added[@]}" >"$work/purge.log" 2>&1; then
    added=()
    pass "purged"
else
    sed 's/^/   | /' "$work/purge.log"
    fail "apt-get could not purge the package"
fi
installed tolvaren && fail "tolvaren is still installed"
[ -e /usr/bin/tolvaren ] && fail "/usr/bin/tolvaren is left behind"
[ -e /usr/share/doc/tolvaren ] && fail "/usr/share/doc/tolvaren is left behind"
after=$(dpkg-query -W -f='${Package}\n' | sort)
[ "$after" = "$before" ] && pass "the installed packages are as before" ||
    fail "installed packages differ from before: $(diff <(echo "$before") <(echo "$after") | grep '^[<>]' | tr '\n' ' ')"
finish
