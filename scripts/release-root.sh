# SPDX-FileCopyrightText: 2026 Tolvaren developers
# SPDX-License-Identifier: MIT

# A root of the other Debian release, for running the test command there:
# made with mmdebstrap from the Debian archive this machine's apt already
# uses, kept in a cache folder outside the checkout and made anew when it is
# missing or more than a week old. Sourced after common.sh, not run.

# Where the roots are kept between runs; a new machine starts without any.
ROOT_CACHE=${TOLVAREN_ROOT_CACHE:-/var/cache/tolvaren}

# Prints the address of the archive this machine's apt takes SUFFIX's suites
# from ("" for the release itself, "-security" for its security updates),
# from the sources in either of the two forms apt reads.
archive_address() {
    local suffix=$1
    local codename
    codename=$(codename_of "$RELEASE")
    {
        # One-line form: deb [options] URI SUITE COMPONENTS...
        cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
            sed -n 's/^deb[[:space:]]\+\(\[[^]]*\][[:space:]]\+\)\?\([^[:space:]]\+\)[[:space:]]\+\([^[:space:]]\+\).*/\2 \3/p'
        # deb822 form: stanzas of URIs and Suites.
        for f in /etc/apt/sources.list.d/*.sources; do
            [ -e "$f" ] || continue
            awk '/^URIs:/ {u=$2} /^Suites:/ {for (i = 2; i <= NF; i++) s = s " " $i}
                 /^$/ {if (u) for (n = split(s, a, " "); n > 0; n--) print u, a[n]; u=""; s=""}
                 END {if (u) for (n = split(s, a, " "); n > 0; n--) print u, a[n]}' "$f"
        done
    } | awk -v want="$codename$suffix" '$2 == want {print $1; exit}'
}

# Makes (or keeps) the root of release $1 and prints its folder.
ensure_release_root() {
    local release=$1 codename root archive security
    codename=$(codename_of "$release")
    root=$ROOT_CACHE/$codename
    if [ -f "$root/.made" ] && [ -z "$(find "$root/.made" -mtime +7)" ]; then
        echo "$root"
        return
    fi
    archive=$(archive_address "")
    security=$(archive_address -security)
    if [ -z "$archive" ]; then
        echo "Debian $release: no Debian archive in this machine's apt sources to make its root from" >&2
        return 1
    fi
    ensure_packages mmdebstrap >&2
    # Testing has no updates suite, and its security suite is seldom used.
    local sources=("deb $archive $codename main")
    if [ "$release" != testing ]; then
        sources+=("deb $archive $codename-updates main")
        [ -n "$security" ] && sources+=("deb $security $codename-security main")
    fi
    echo "== making a Debian $release root in $root (from $archive)" >&2
    as_root rm -rf "$root.new"
    as_root mkdir -p "$ROOT_CACHE"
    # A mirror's snapshot of testing may carry a Release file past its
    # Valid-Until date; the root (and apt inside it) takes it all the same.
    if ! as_root mmdebstrap --quiet --variant=minbase --include=ca-certificates,sudo \
        --aptopt='Acquire::Check-Valid-Until "false"' "$codename" "$root.new" \
        "${sources[@]}" >"$ROOT_CACHE/$codename.log" 2>&1; then
        echo "Debian $release: its root could not be made from $archive (see $ROOT_CACHE/$codename.log)" >&2
        return 1
    fi
    as_root rm -rf "$root"
    as_root mv "$root.new" "$root"
    as_root touch "$root/.made"
    echo "$root"
}

# run_in_release_root RELEASE COMMAND...: runs COMMAND in the root of
# RELEASE, with this checkout at the same path as here and the system
# folders mounted. The mounts live in a mount namespace of their own, so
# they go when the command ends and two runs never see each other's.
run_in_release_root() {
    local release=$1 root
    shift
    root=$(ensure_release_root "$release") || return 1
    as_root cp /etc/resolv.conf "$root/etc/resolv.conf"
    # A worktree's git data lies in the checkout it was made from: mounted
    # too, or git would list nothing in the root.
    local git_dir
    git_dir=$(cd "$TOP" && realpath "$(git rev-parse --git-common-dir)" 2>/dev/null) || git_dir=
    case $git_dir in "$TOP"/*) git_dir= ;; esac
    as_root unshare --mount --propagation private -- env ROOT="$root" TOP="$TOP" GIT_DIR_OUTSIDE="$git_dir" bash -euc '
        mount -t proc proc "$ROOT/proc"
        mount -t sysfs sys "$ROOT/sys"
        mount --bind /dev "$ROOT/dev"
        mount --bind /dev/pts "$ROOT/dev/pts"
        mount -t tmpfs tmpfs "$ROOT/dev/shm"
        mount -t tmpfs tmpfs "$ROOT/tmp"
        mkdir -p "$ROOT$TOP"
        mount --bind "$TOP" "$ROOT$TOP"
        if [ -n "$GIT_DIR_OUTSIDE" ]; then
            mkdir -p "$ROOT$GIT_DIR_OUTSIDE"
            mount --bind "$GIT_DIR_OUTSIDE" "$ROOT$GIT_DIR_OUTSIDE"
        fi
        # root in there works on a checkout another user may own.
        exec chroot "$ROOT" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
            GIT_CONFIG_COUNT=1 GIT_CONFIG_KEY_0=safe.directory GIT_CONFIG_VALUE_0="*" \
            TOLVAREN_BUILD_ROOT="$TOP/build-$(. "$ROOT/etc/os-release" && echo "$VERSION_CODENAME")" "$@"
    ' bash "$@"
}
