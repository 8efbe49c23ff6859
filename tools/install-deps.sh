#!/bin/sh
# Installs the Debian packages a command of the Makefile needs, when missing.
#   tools/install-deps.sh        everything (make test, make, ...)
#   tools/install-deps.sh run    only what `make run` needs
#   tools/install-deps.sh web    only what `make web` needs
#   tools/install-deps.sh dist   only what `make dist` needs
#   tools/install-deps.sh --list [run|web|dist|all]
#                                the packages of a list, one a line, installing
#                                nothing (for tools/bare-machine.sh)
# A package counts as present only when the commands and files the build
# takes from it are there, not merely when dpkg calls it installed: a package
# has been seen "installed" with its compiler gone. A missing package is
# installed; one whose command or file is missing is reinstalled. As root it
# runs apt-get; otherwise it prints the command and stops. Silent when
# everything is present.
set -e

# One package a line: the package, then what the build uses from it, each a
# command or an absolute path (a pattern where the path holds a version).
kRunNeeds="
cmake cmake
make make
googletest /usr/src/googletest/CMakeLists.txt
gcc-mingw-w64-x86-64-posix x86_64-w64-mingw32-gcc-posix
g++-mingw-w64-x86-64-posix x86_64-w64-mingw32-g++-posix
binutils-mingw-w64-x86-64 x86_64-w64-mingw32-ar x86_64-w64-mingw32-ranlib x86_64-w64-mingw32-windres x86_64-w64-mingw32-strip x86_64-w64-mingw32-objdump
wine wine wineboot
wine64 /usr/lib/wine/wine64
libwine wineserver
xvfb Xvfb
imagemagick-6.q16 import
fonts-ipafont-gothic /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf
"
# The page, built with Debian's emscripten and, without a display, shown in
# headless Chromium.
kWebNeeds="
cmake cmake
make make
googletest /usr/src/googletest/CMakeLists.txt
emscripten emcc em++
nodejs node
node-acorn /usr/share/nodejs/acorn/package.json
python3 /usr/bin/python3
chromium chromium
chromium-driver chromedriver
python3-selenium /usr/lib/python3/dist-packages/selenium/__init__.py
"
# The release: the two release presets' compilers, the page, the zips.
kDistNeeds="
cmake cmake
make make
gcc-mingw-w64-i686-win32 i686-w64-mingw32-gcc-win32
g++-mingw-w64-i686-win32 i686-w64-mingw32-g++-win32
gcc-mingw-w64-x86-64-win32 x86_64-w64-mingw32-gcc-win32
g++-mingw-w64-x86-64-win32 x86_64-w64-mingw32-g++-win32
binutils-mingw-w64-i686 i686-w64-mingw32-ar i686-w64-mingw32-ranlib i686-w64-mingw32-windres i686-w64-mingw32-strip i686-w64-mingw32-objdump
binutils-mingw-w64-x86-64 x86_64-w64-mingw32-ar x86_64-w64-mingw32-ranlib x86_64-w64-mingw32-windres x86_64-w64-mingw32-strip x86_64-w64-mingw32-objdump
emscripten emcc em++
nodejs node
node-acorn /usr/share/nodejs/acorn/package.json
python3 /usr/bin/python3
git git
"
# Only the tests: oracles, the other builds, the page's browser and the
# profiles read as test cases (colord-data's).
kTestNeeds="
g++ g++
ccache ccache
libbenchmark-dev /usr/include/benchmark/benchmark.h
liblcms2-dev /usr/include/lcms2.h
gcc-mingw-w64-i686-posix i686-w64-mingw32-gcc-posix
g++-mingw-w64-i686-posix i686-w64-mingw32-g++-posix
colord-data /usr/share/color/icc/colord/Bluish.icc
icc-profiles-free /usr/share/color/icc/Gray.icc
edid-decode edid-decode
argyll iccdump dispwin
clang-14 clang++-14
libclang-rt-14-dev /usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a
man-db man
groff-base groff
unzip unzip
"

# has_all ITEM...: each command is on the PATH, each path exists.
has_all() {
    for item in "$@"; do
        case $item in
            /*) set -- $item; [ -e "$1" ] || return 1 ;;
            *) command -v "$item" >/dev/null 2>&1 || return 1 ;;
        esac
    done
}

# check NEEDS: sets missing (packages not installed) and broken (installed,
# but something the build uses from them is not there).
check() {
    missing="" broken=""
    while read -r package items; do
        [ -n "$package" ] || continue
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
            missing="$missing $package"
        elif ! has_all $items; then
            broken="$broken $package"
        fi
    done <<NEEDS
$1
NEEDS
}

kAllNeeds="$kRunNeeds$kWebNeeds$kDistNeeds$kTestNeeds"
list=false
if [ "${1:-}" = --list ]; then
    list=true
    shift
fi
case "${1:-all}" in
    run) needs=$kRunNeeds ;;
    web) needs=$kWebNeeds ;;
    dist) needs=$kDistNeeds ;;
    all) needs=$(printf '%s\n' "$kAllNeeds" | awk 'NF && !seen[$1]++') ;;
    *) echo "usage: tools/install-deps.sh [--list] [run|web|dist|all]" >&2; exit 2 ;;
esac
if [ "$list" = true ]; then
    echo "$needs" | awk 'NF { print $1 }' | sort -u
    exit 0
fi
check "$needs"
[ -z "$missing$broken" ] && exit 0
if [ "$(id -u)" != 0 ]; then
    [ -z "$missing" ] || echo "Missing Debian packages:$missing" >&2
    [ -z "$broken" ] || echo "Installed but incomplete:$broken" >&2
    echo "Install them with: sudo apt-get update &&" \
        "${missing:+sudo apt-get install -y$missing}" \
        "${missing:+${broken:+&& }}${broken:+sudo apt-get install -y --reinstall$broken}" >&2
    exit 1
fi
apt-get update -qq
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing >/dev/null
fi
if [ -n "$broken" ]; then
    echo "Reinstalling, their commands or files being gone:$broken"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall $broken >/dev/null
fi
check "$needs"
if [ -n "$missing$broken" ]; then
    echo "install-deps: still missing after installing:$missing$broken" >&2
    exit 1
fi
