#!/usr/bin/env bash
# Packs the built program as a .deb with CPack, checks what the package
# declares and holds, unpacks it into a scratch root and starts the unpacked
# program on a private X server: it must open its main window and stay up.
# Nothing is installed into the system.
#
#   deb_install.sh BUILD_DIR
set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:?usage: deb_install.sh BUILD_DIR}" && pwd)
id=org.tolvaren.Tolvaren

bus_pid=
app_pid=
. "$here/xvfb.sh" deb
stop_own() {
    [ -n "$app_pid" ] && kill -KILL "$app_pid" 2>/dev/null
    [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
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
for pair in Package=tolvaren Section=utils Version=1.10 "Maintainer=Tolvaren developers <tolvaren@example.org>"; do
    name=${pair%%=*}
    [ "$(field "$name")" = "${pair#*=}" ] && pass "$name" || fail "$name is '$(field "$name")'"
done
depends=$(field Depends)
echo "   Depends: $depends"
# dpkg-shlibdeps found the libraries: Qt's by name, the C++ runtime too.
depends_names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//')
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 libc6; do
    grep -qxF "$lib" <<<"$depends_names" && pass "Depends names $lib" || fail "Depends lacks $lib"
done

echo "== contents"
dpkg-deb -x "$deb" "$work/root"
root=$work/root
expected=(
    usr/bin/tolvaren
    "usr/share/applications/$id.desktop"
    "usr/share/metainfo/$id.metainfo.xml"
    "usr/share/icons/hicolor/scalable/apps/$id.svg"
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
if command -v readelf >/dev/null; then
    if readelf -d "$root/usr/bin/tolvaren" | grep -Eq 'RPATH|RUNPATH'; then
        fail "the installed program carries a run path: $(readelf -d "$root/usr/bin/tolvaren" | grep -E 'RPATH|RUNPATH')"
    else
        pass "no run path"
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
# Warnings are allowed, errors are not.
appstream_valid() {
    appstreamcli "$@" >"$work/as.log" 2>&1
    local status=$?
    sed 's/^/   /' "$work/as.log"
    if [ "$status" -eq 0 ] || { [ "$status" -eq 3 ] && ! grep -q '^E:' "$work/as.log"; }; then
        pass "appstreamcli $1"
    else
        fail "appstreamcli $1 (status $status)"
    fi
}
appstream_valid validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml"
# The metainfo names the desktop entry and the program it installs beside.
appstream_valid validate-tree --no-net "$root"

echo "== start the unpacked program"
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
    QT_QPA_PLATFORM=xcb "$root/usr/bin/tolvaren" >"$work/app.log" 2>&1 &
app_pid=$!
# It must open its main window and still be running two seconds later.
window=
for _ in $(seq 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    window=$(/usr/bin/python3 -B "$here/xwindows.py" "$app_pid" 2>/dev/null | grep ' Tolvaren v1.10$')
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] && pass "main window shown: $window" || fail "no main window within 10 s"
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
finish
