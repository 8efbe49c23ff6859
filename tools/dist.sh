#!/bin/bash
# The release, built from scratch into build/dist/: one zip per Windows build
# (the stripped programs, README.md, LICENSE and THIRD-PARTY-NOTICES.txt), the
# single-file web page, and SHA256SUMS over them. The Windows programs come
# from the release presets (win32-release, win64-release).
#   tools/dist.sh          build the release (make dist)
#   tools/dist.sh check    build it in two copies of the tree, at two paths and
#                          times and in two environments, and check that the
#                          bytes agree and that the release holds what it should
#   tools/dist.sh members  list what the linker took from outside the tree into
#                          each released Windows program, with its notice
#   tools/dist.sh test     the 64-bit programs of the release that `check` built,
#                          under Wine: the dialog's end-to-end test, the
#                          companion's EDID cases, and its texts against those
#                          the Linux, Windows and WebAssembly builds agreed on
# Every date the release needs is SOURCE_DATE_EPOCH, by default the commit's.
set -euo pipefail
cd "$(dirname "$0")/.."

out=build/dist
# The 32-bit programs, stripped: the dialog 96 KiB at most, the companion
# 256 KiB.
kMaxDialogBytes=98304
kMaxCompanionBytes=262144
# Words only the companion and the page show, which the dialog, linking only
# what it shows, must not carry: a load's refusal and its account.
kCompanionOnlyWords=("colour space not RGB" "best power law" "carries no colour data" "warning")
kZipEntries="LICENSE README.md THIRD-PARTY-NOTICES.txt tintmend-cli.exe tintmend.exe"
# The notices of what the programs carry, and which of them covers each file
# the linker takes from outside the tree.
kNotices=notices/windows.txt
kNoticeTable=notices/members.txt
# What the programs may import: Windows' own DLLs, so that each .exe runs alone.
kSystemDlls="kernel32.dll user32.dll gdi32.dll comdlg32.dll msvcrt.dll"

# configure_preset PRESET: PRESET's build in build/dist/PRESET, without the tests.
# TINTMEND_CCACHE=OFF compiles without the compiler cache.
configure_preset() {
    cmake --preset "$1" -B "$out/$1" -DTINTMEND_TESTS=OFF \
        -DTINTMEND_CCACHE="${TINTMEND_CCACHE:-ON}" >/dev/null
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
    cp "$kNotices" "$stage/THIRD-PARTY-NOTICES.txt"
    /usr/bin/python3 tools/make-zip.py "$stage/release.zip" \
        "$stage/tintmend.exe" "$stage/tintmend-cli.exe" README.md LICENSE \
        "$stage/THIRD-PARTY-NOTICES.txt"
    ship "$stage/release.zip" "tintmend-$version-windows-$arch.zip"
}

# The project's one version, as CMake reads it from the top CMakeLists.txt.
read_version() {
    sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/win32-release/CMakeCache.txt"
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
    configure_preset win32-release
    version=$(read_version)
    ship_windows win32-release i686-w64-mingw32 x86
    ship_windows win64-release x86_64-w64-mingw32 x64
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

# third_party_files MAP: each file that the link map MAP shows the linker
# took from outside the tree (the tree's own are named by relative paths),
# an archive's member as ARCHIVE(MEMBER) without mingw-w64's lib32_/lib64_
# prefix, one a line.
third_party_files() {
    {
        awk '/^Archive member included/ { f = 1; next }
             /^(Allocating common|Discarded input|Memory Configuration)/ { f = 0 }
             f && /^\// { print $1 }' "$1"
        awk '$1 == "LOAD" && $2 ~ /^\// && $2 !~ /\.a$/ { print $2 }' "$1"
    } | sed 's|^.*/||; s/(lib\(32\|64\)_[A-Za-z0-9_]*_a-/(/' | LC_ALL=C sort -u
}

# notice_for FILE: the notice (or "none: why") that kNoticeTable gives FILE;
# nothing if no line matches.
notice_for() {
    local pattern notice
    while read -r pattern notice; do
        [[ -z $pattern || $pattern == \#* ]] && continue
        # shellcheck disable=SC2053  # the pattern is meant as a pattern
        if [[ $1 == $pattern ]]; then
            echo "$notice"
            return
        fi
    done <"$kNoticeTable"
}

# list_members DIR: each released program's third-party files in the release
# built in DIR, with the notice that covers each.
list_members() {
    local preset program file
    for preset in win32-release win64-release; do
        for program in tintmend tintmend-cli; do
            while read -r file; do
                printf '%s\t%s\t%s\n' "$preset/$program.exe" "$file" "$(notice_for "$file")"
            done < <(third_party_files "$1/$preset/bin/$program.map")
        done
    done
}

# check_notices DIR: every third-party file in the programs has a line of
# kNoticeTable, naming a notice that kNotices holds or why none is owed.
check_notices() {
    local program file notice bad=0
    while IFS=$'\t' read -r program file notice; do
        if [ -z "$notice" ]; then
            echo "dist check: $program carries $file, which $kNoticeTable does not cover" >&2
            bad=1
        elif [[ $notice != none:* ]] && ! grep -qxF "== $notice ==" "$kNotices"; then
            echo "dist check: $kNoticeTable names \"$notice\" for $file; $kNotices has no such notice" >&2
            bad=1
        fi
    done < <(list_members "$1")
    [ -n "$(list_members "$1")" ] || { echo "dist check: no link maps in $1" >&2; bad=1; }
    return $bad
}

# check_size FILE MAX: FILE is MAX bytes at most.
check_size() {
    local size
    size=$(stat -c %s "$1")
    if [ "$size" -gt "$2" ]; then
        echo "dist check: $1 is $size bytes, over $2" >&2
        return 1
    fi
}

# check_absent_words EXE: EXE holds none of kCompanionOnlyWords.
check_absent_words() {
    local word
    for word in "${kCompanionOnlyWords[@]}"; do
        if strings "$1" | grep -qF -- "$word"; then
            echo "dist check: $1 carries \"$word\", a word only the companion shows" >&2
            return 1
        fi
    done
}

# check_release DIR: DIR/SHA256SUMS holds, names exactly the files beside it,
# and each zip holds exactly kZipEntries, its programs importing only system
# DLLs and the 32-bit programs within their budgets.
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
    check_size "$dir/unpacked-x86/tintmend.exe" $kMaxDialogBytes
    check_absent_words "$dir/unpacked-x86/tintmend.exe"
    check_size "$dir/unpacked-x86/tintmend-cli.exe" $kMaxCompanionBytes
    if ! cmp -s "$dir/unpacked-x86/THIRD-PARTY-NOTICES.txt" "$kNotices"; then
        echo "dist check: the zips' THIRD-PARTY-NOTICES.txt is not $kNotices" >&2
        return 1
    fi
    rm -rf "$dir"/unpacked-*
    check_notices "$dir"
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
    # Later, and in another zone, locale, umask, user and home, and compiled
    # afresh: the first copy may have taken its objects from the compiler
    # cache, this one compiles every file.
    mkdir -p "$root/home"
    (
        umask 077
        export TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 LANG=C.UTF-8 \
            USER=someone-else LOGNAME=someone-else HOME=$PWD/$root/home TINTMEND_CCACHE=OFF
        "$two/tools/dist.sh" >/dev/null
    )
    # The compile rules name the cache where it was used.
    if grep -rlw --include=build.make ccache "$two/$out" >&2; then
        echo "dist check: the second copy was compiled through ccache" >&2
        return 1
    fi
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

# test_release: the released 64-bit programs, as shipped in the x64 zip that
# the last `tools/dist.sh check` built, under Wine: the dialog's end-to-end
# test working the release's tintmend.exe, the companion's EDID cases, and
# the companion's texts against those on which the Linux, Windows and
# WebAssembly builds agreed in tools/compare-builds.sh.
test_release() {
    # One virtual screen for the whole run where there is no display, as for
    # make test: Wine then needs no screen of its own for each program.
    if [ -z "${DISPLAY:-}" ]; then
        exec tools/with-screen "$0" test
    fi
    local zip unpacked=build/release-programs
    zip=$(ls build/dist-check/one/tintmend/$out/tintmend-*-windows-x64.zip 2>/dev/null || true)
    if [ -z "$zip" ]; then
        echo "dist test: no release in build/dist-check: run tools/dist.sh check first" >&2
        return 1
    fi
    rm -rf "$unpacked"
    unzip -q "$zip" -d "$unpacked"
    cmake --preset win64 >/dev/null
    cmake --build --preset win64 --target ui_end_to_end_test >/dev/null
    # Wine's drive Z: is the root of the file system.
    local windows_path="Z:$PWD/$unpacked/tintmend.exe"
    TINTMEND_EXE=${windows_path//\//\\} tools/wine-run build/win64/bin/ui_end_to_end_test.exe
    tests/profile/edid_cli.sh tools/wine-run "$unpacked/tintmend-cli.exe"
    tools/compare-builds.sh --against "$unpacked/tintmend-cli.exe"
}

case "${1:-build}" in
    build) build_release ;;
    check) check ;;
    members) list_members "$out" ;;
    test) test_release ;;
    *)
        echo "usage: tools/dist.sh [check | members | test]" >&2
        exit 2 ;;
esac
