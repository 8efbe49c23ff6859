#!/bin/bash
# The release, built from scratch into build/dist/: one zip per Windows build
# (the stripped programs, README.md and LICENSE), the single-file web page,
# and SHA256SUMS over them.
#   tools/dist.sh          build the release (make dist)
#   tools/dist.sh check    build it in two copies of the tree, at two paths and
#                          times and in two environments, and check that the
#                          bytes agree and that the release holds what it should
# Every date the release needs is SOURCE_DATE_EPOCH, by default the commit's.
set -euo pipefail
cd "$(dirname "$0")/.."

out=build/dist
kMaxProgramBytes=262144  # the 32-bit tintmend.exe, stripped: 256 KiB at most
kZipEntries="LICENSE README.md tintmend-cli.exe tintmend.exe"
# What the programs may import: Windows' own DLLs, so that each .exe runs alone.
kSystemDlls="kernel32.dll user32.dll gdi32.dll comdlg32.dll msvcrt.dll"

# configure_preset PRESET: PRESET's build in build/dist/PRESET, without the tests.
configure_preset() {
    cmake --preset "$1" -B "$out/$1" -DTINTMEND_TESTS=OFF >/dev/null
}

# build_preset PRESET [TARGET...]: TARGETs (or everything) of PRESET's build.
build_preset() {
    local preset=$1
    shift
    [ -f "$out/$preset/CMakeCache.txt" ] || configure_preset "$preset"
    [ $# -eq 0 ] || set -- --target "$@"
    cmake --build "$out/$preset" -j2 "$@" >/dev/null
}

# ship FILE NAME: FILE joins the release as build/dist/NAME.
ship() {
    cp "$1" "$out/$2"
    released+=("$2")
}

# ship_windows PRESET TRIPLE ARCH: the programs of one Windows build, stripped,
# in tintmend-VERSION-windows-ARCH.zip. strip stamps the PE header with the
# current time unless SOURCE_DATE_EPOCH is set.
ship_windows() {
    local preset=$1 triple=$2 arch=$3
    local stage=$out/$preset/stage
    build_preset "$preset" tintmend tintmend-cli
    mkdir -p "$stage"
    for exe in tintmend.exe tintmend-cli.exe; do
        "$triple-strip" -o "$stage/$exe" "$out/$preset/bin/$exe"
    done
    /usr/bin/python3 tools/make-zip.py "$stage/release.zip" \
        "$stage/tintmend.exe" "$stage/tintmend-cli.exe" README.md LICENSE
    ship "$stage/release.zip" "tintmend-$version-windows-$arch.zip"
}

# The project's one version, as CMake reads it from the top CMakeLists.txt.
read_version() {
    sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/win32/CMakeCache.txt"
}

build_release() {
    if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
        SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
        if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
            echo "dist: the tree has uncommitted changes; a rebuild of the commit will differ" >&2
        fi
    fi
    export SOURCE_DATE_EPOCH
    rm -rf "$out"
    mkdir -p "$out"
    released=()
    configure_preset win32
    version=$(read_version)
    ship_windows win32 i686-w64-mingw32 x86
    ship_windows win64 x86_64-w64-mingw32 x64
    build_preset web tintmend_page
    ship "$out/web/tintmend.html" "tintmend-$version.html"
    (cd "$out" && LC_ALL=C sha256sum -- $(printf '%s\n' "${released[@]}" | LC_ALL=C sort)) \
        >"$out/SHA256SUMS"
    cat "$out/SHA256SUMS"
}

# check_imports TRIPLE EXE: EXE imports DLLs, each one of kSystemDlls.
check_imports() {
    local dlls dll
    dlls=$("$1-objdump" -p "$2" | sed -n 's/^[[:space:]]*DLL Name: //p')
    if [ -z "$dlls" ]; then
        echo "dist check: $2 imports nothing: not a Windows program?" >&2
        return 1
    fi
    for dll in $dlls; do
        case " $kSystemDlls " in
            *" ${dll,,} "*) ;;
            *) echo "dist check: $2 imports $dll, not a Windows system DLL" >&2; return 1 ;;
        esac
    done
}

# check_release DIR: DIR/SHA256SUMS holds, names exactly the files beside it,
# and each zip holds exactly kZipEntries, its programs importing only system
# DLLs and the 32-bit program within kMaxProgramBytes.
check_release() {
    local dir=$1 zip triple unpacked
    (cd "$dir" && sha256sum --quiet -c SHA256SUMS)
    local listed present
    listed=$(awk '{print $2}' "$dir/SHA256SUMS")
    present=$(find "$dir" -maxdepth 1 -type f ! -name SHA256SUMS -printf '%f\n' | LC_ALL=C sort)
    if [ "$listed" != "$present" ]; then
        echo "dist check: SHA256SUMS lists" $listed "but build/dist holds" $present >&2
        return 1
    fi
    for arch in x86 x64; do
        zip=$(ls "$dir"/tintmend-*-windows-$arch.zip)
        if [ "$(unzip -Z1 "$zip" | LC_ALL=C sort | xargs)" != "$kZipEntries" ]; then
            echo "dist check: $zip holds" $(unzip -Z1 "$zip") "not $kZipEntries" >&2
            return 1
        fi
        unpacked=$dir/unpacked-$arch
        rm -rf "$unpacked"
        unzip -q "$zip" -d "$unpacked"
        triple=$([ $arch = x86 ] && echo i686-w64-mingw32 || echo x86_64-w64-mingw32)
        check_imports "$triple" "$unpacked/tintmend.exe"
        check_imports "$triple" "$unpacked/tintmend-cli.exe"
    done
    local size
    size=$(stat -c %s "$dir/unpacked-x86/tintmend.exe")
    if [ "$size" -gt $kMaxProgramBytes ]; then
        echo "dist check: the 32-bit tintmend.exe is $size bytes, over $kMaxProgramBytes" >&2
        return 1
    fi
    rm -rf "$dir"/unpacked-*
}

# copy_tree DIR: the tracked files of the working tree, edits included, so
# that what is checked is what is about to be committed.
copy_tree() {
    mkdir -p "$1"
    git ls-files -z | tar --null -T - --ignore-failed-read -cf - | tar -xf - -C "$1"
}

check() {
    local root=build/dist-check start=$SECONDS
    local one=$root/one/tintmend two=$root/second-copy/somewhere/else/tintmend-src
    rm -rf "$root"
    copy_tree "$one"
    copy_tree "$two"
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
    export SOURCE_DATE_EPOCH
    "$one/tools/dist.sh" >/dev/null
    # Later, and in another zone, locale, umask, user and home.
    mkdir -p "$root/home"
    (
        umask 077
        export TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 LANG=C.UTF-8 \
            USER=someone-else LOGNAME=someone-else HOME=$PWD/$root/home
        "$two/tools/dist.sh" >/dev/null
    )
    if ! cmp -s "$one/$out/SHA256SUMS" "$two/$out/SHA256SUMS"; then
        echo "dist check: the two builds differ:" >&2
        diff "$one/$out/SHA256SUMS" "$two/$out/SHA256SUMS" >&2 || true
        return 1
    fi
    # Equal sums over files that match them: the second release is the first.
    (cd "$two/$out" && sha256sum --quiet -c SHA256SUMS)
    check_release "$one/$out"
    sed 's/^/dist check: /' "$one/$out/SHA256SUMS"
    echo "dist check: both copies agree ($((SECONDS - start)) s)"
}

case "${1:-build}" in
    build) build_release ;;
    check) check ;;
    *)
        echo "usage: tools/dist.sh [check]" >&2
        exit 2 ;;
esac
