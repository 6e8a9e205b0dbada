# SPDX-FileCopyrightText: 2026 Tolvaren developers
# SPDX-License-Identifier: MIT

# Shared by the scripts in this folder: install what is missing, build.
# Sourced, not run.
set -euo pipefail

TOP=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The Debian releases the project runs on, each with its codename: the two
# stable ones by number, and testing, which has a codename and no number.
KNOWN_RELEASES=(12 13 testing)
codename_of() {
    case $1 in
    12) echo bookworm ;;
    13) echo trixie ;;
    testing) echo forky ;;
    *) return 1 ;;
    esac
}

# The Debian release this machine runs: 12, 13 or testing.
release_here() {
    local id codename name r
    id=$(. /etc/os-release && echo "${VERSION_ID:-}")
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    name=$(. /etc/os-release && echo "${PRETTY_NAME:-an unnamed system}")
    for r in "${KNOWN_RELEASES[@]}"; do
        if [ "${id%%.*}" = "$r" ] || { [ -n "$codename" ] && [ "$(codename_of "$r")" = "$codename" ]; }; then
            echo "$r"
            return
        fi
    done
    echo "This machine runs $name, not a Debian release this project knows (${KNOWN_RELEASES[*]})" >&2
    return 1
}
RELEASE=$(release_here) || exit 2
# The build folders go here: the checkout itself, or for the other release's
# root, a folder of its own in it, so the two never share a build.
BUILD_ROOT=${TOLVAREN_BUILD_ROOT:-$TOP}

# What the build needs.
BUILD_PACKAGES=(cmake ninja-build g++ dpkg-dev qt6-base-dev libgl-dev libgtest-dev libbenchmark-dev)
# Close stand-ins for the faces the forms were drawn with.
FONT_PACKAGES=(fonts-liberation fonts-dejavu-core fonts-ocr-a fonts-roboto-slab fontconfig)
# Qt's own texts (context menus, standard buttons) in the desktop's language.
TRANSLATION_PACKAGES=(qt6-translations-l10n)
# A real X display, the desktop accessibility bus and the X tools that find
# a window from outside.
E2E_PACKAGES=(xvfb xauth dbus dbus-x11 at-spi2-core python3-pyatspi python3-xlib xdotool x11-utils)
# A native Wayland compositor (weston, whose X11 backend, in the same package
# on both releases, draws into a window of the test's X server and takes its
# pointer clicks) and Qt's Wayland platform plugin, for the program on
# Wayland; the test also needs E2E_PACKAGES' X server and xdotool.
WAYLAND_PACKAGES=(weston qt6-wayland)
# A screen reader that reads the program in the tests, and the speech
# service it talks through (sound goes nowhere on a test machine).
SCREEN_READER_PACKAGES=(orca speech-dispatcher speech-dispatcher-espeak-ng)
# The window manager the screen reader test starts, as a user has one.
SCREEN_READER_PACKAGES+=(openbox)
# The packaging checks: the package itself, its build flags, its metadata,
# the licences.
PACKAGING_PACKAGES=(dpkg-dev file lintian devscripts appstream desktop-file-utils reuse)
# clang's fuzzer and sanitizer runtimes.
HARDENING_PACKAGES=(clang libclang-rt-dev llvm)
# The checks on the sources themselves.
LINT_PACKAGES=(clang-format git)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the named Debian packages that are not installed yet.
ensure_packages() {
    local missing=()
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}

# configure DIR [cmake options...]
configure() {
    local dir=$1
    shift
    cmake -S "$TOP" -B "$dir" -G Ninja "$@"
}

# A locale whose decimal mark is a comma: the number text must not notice it.
ensure_comma_locale() {
    ensure_packages locales
    if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
        as_root sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
        as_root locale-gen
    fi
}

# Every C++ source of the project must be as .clang-format writes it.
check_format() {
    local list files
    # A checkout git cannot read would leave nothing to check and pass.
    list=$(git -C "$TOP" ls-files '*.cpp' '*.h')
    mapfile -t files <<<"$list"
    if [ -z "$list" ]; then
        echo "check_format: git lists no C++ source in $TOP" >&2
        return 1
    fi
    (cd "$TOP" && clang-format --dry-run --Werror "${files[@]}")
}

# build DIR [cmake options...]
build() {
    configure "$@"
    cmake --build "$1"
}
