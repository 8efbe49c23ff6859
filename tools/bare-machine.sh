#!/bin/bash
# A command of the Makefile as a newcomer's fresh machine would run it: in a
# private mount namespace (as root), every package that tools/install-deps.sh
# installs only for other commands is hidden (an empty tmpfs over each of its
# directories, /dev/null bound over its other files, and a private copy of
# /etc/alternatives that no longer points into it), and the command runs in
# a clean clone of this tree's commit. Nothing outside the namespace changes.
#   tools/bare-machine.sh [run|web|dist]...   (all three by default)
# run must show the dialog and print the default balance, web the same from
# the page, and dist must make a release whose SHA256SUMS holds.
# The clones and logs are kept in build/bare-machine/COMMAND.
set -euo pipefail
cd "$(dirname "$0")/.."
tree=$PWD
if [ "$(id -u)" != 0 ]; then
    echo "bare-machine: run as root (mount namespaces)" >&2
    exit 1
fi

# inside STATE COMMAND: in the namespace, hide the packages, then run.
inside() {
    local state=$1 command=$2 dir line name target
    while read -r dir; do
        mount -t tmpfs -o ro,mode=755 bare-machine "$dir"
    done <"$state/dirs"
    while read -r line; do
        mount --bind /dev/null "$line"
    done <"$state/files"
    cp -a /etc/alternatives "$state/etc-alternatives"
    while read -r name target; do
        rm -f "$state/etc-alternatives/$name"
        [ "$target" = - ] || ln -s "$target" "$state/etc-alternatives/$name"
    done <"$state/alternatives"
    mount --bind "$state/etc-alternatives" /etc/alternatives
    # The hiding took: the table that once came from colord-data is gone
    # wherever colord-data is hidden.
    if grep -qx colord-data "$state/packages" && [ -e /usr/share/colord/cmf/CIE1931-2deg-XYZ.cmf ]; then
        echo "bare-machine: colord-data is still there" >&2
        return 1
    fi
    echo "bare-machine: hidden $(wc -l <"$state/packages") packages:" $(cat "$state/packages")
    cd "$state/tintmend"
    env -u DISPLAY -u WAYLAND_DISPLAY make "$command"
}

# check COMMAND STATE: what the command must have shown or made.
check() {
    local clone=$2/tintmend balance="New Balance: red 1.00000, green 1.00000, blue 1.00000"
    case $1 in
        run) tr -d '\r' <"$2/log" | grep -qxF "$balance" && [ -s "$clone/build/tintmend.png" ] ;;
        web) tr -d '\r' <"$2/log" | grep -qxF "$balance" && [ -s "$clone/build/tintmend-web.png" ] ;;
        dist) (cd "$clone/build/dist" && sha256sum --quiet -c SHA256SUMS) ;;
    esac
}

if [ "${1:-}" = --inside ]; then
    shift
    inside "$@"
    exit
fi

status=0
for command in "${@:-run web dist}"; do
    for c in $command; do
        case $c in run | web | dist) ;; *) echo "usage: tools/bare-machine.sh [run|web|dist]..." >&2; exit 2 ;; esac
        state=$tree/build/bare-machine/$c
        rm -rf "$state"
        mkdir -p "$state"
        tools/install-deps.sh --list "$c" >"$state/command-packages"
        tools/install-deps.sh --list all >"$state/all-packages"
        /usr/bin/python3 tools/bare-machine.py "$c" "$state/command-packages" "$state/all-packages" "$state"
        # The clone before the hiding: git may be one of the hidden packages.
        git clone -q "$tree" "$state/tintmend"
        start=$SECONDS
        if unshare --mount --propagation private "$0" --inside "$state" "$c" >"$state/log" 2>&1 &&
            check "$c" "$state"; then
            echo "bare-machine: make $c passed ($((SECONDS - start)) s); log in $state/log"
        else
            echo "bare-machine: make $c FAILED ($((SECONDS - start)) s); the end of $state/log:" >&2
            tail -n 30 "$state/log" >&2
            status=1
        fi
    done
done
exit $status
