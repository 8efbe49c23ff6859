#!/bin/bash
# The Linux, the 64-bit Windows and the WebAssembly companion programs must
# print the same texts: every case of tests/cli/cases.txt, with all fourteen
# fields shown, and the calibration files byte for byte. The texts they agree
# on are kept, one file a case, in build/companion-texts.
#   tools/compare-builds.sh            the three builds against each other
#   tools/compare-builds.sh --against WINDOWS-CLI
#                                      another 64-bit Windows program, such as
#                                      the release's, against the kept texts
set -u
cd "$(dirname "$0")/.."
native=build/native/bin/tintmend-cli
windows=build/win64/bin/tintmend-cli.exe
web=build/web/tintmend-cli.js
texts=build/companion-texts
against=no
if [[ ${1:-} == --against ]]; then
    against=yes
    windows=$2
    if [[ ! -f $texts/done ]]; then
        echo "compare-builds: no kept texts in $texts: run tools/compare-builds.sh first" >&2
        exit 1
    fi
else
    rm -rf "$texts"
    mkdir -p "$texts"
fi
passed=0 failed=0 n=0

# run_windows ARG...: the Windows program's texts and exit status. Wine's own
# notes ("wine: ...", seen now and then on a loaded machine after the program
# has printed its texts) are Wine's, not the program's: its texts and its exit
# status still have to agree. The notes are kept, to be shown if they differ.
notes=$(mktemp)
trap 'rm -f "$notes"' EXIT
run_windows() {
    tools/wine-run "$windows" "$@" 2>&1 | tr -d '\r' | tee "$notes" | grep -v '^wine: '
    echo "exit ${PIPESTATUS[0]}"
}

# agree DESCRIPTION NATIVE WINDOWS WEB: one case; the agreed text is kept for
# --against. With --against, NATIVE and WEB are empty and the kept text stands
# for them.
agree() {
    local what=$1 a=$2 b=$3 c=$4
    n=$((n + 1))
    if [[ $against == yes ]]; then
        a=$(cat "$texts/$n")
        c=$a
    fi
    if [[ "$a" == "$b" && "$a" == "$c" ]]; then
        passed=$((passed + 1))
        [[ $against == yes ]] || printf '%s\n' "$a" >"$texts/$n"
    else
        failed=$((failed + 1))
        echo "DIFFER: tintmend-cli $what"
        grep '^wine: ' "$notes" | sed 's/^/  wine said: /'
        diff <(echo "$a") <(echo "$b") | sed 's/^/  windows: /'
        [[ $against == yes ]] || diff <(echo "$a") <(echo "$c") | sed 's/^/  web: /'
    fi
}

while IFS= read -r line; do
    [[ -z "${line// }" || $line == \#* ]] && continue
    eval "set -- ${line%%=>*}"
    a="" c=""
    if [[ $against == no ]]; then
        a=$("$native" --fields "$@" 2>&1; echo "exit $?")
        c=$(node "$web" --fields "$@" 2>&1; echo "exit $?")
    fi
    agree "${line%%=>*}" "$a" "$(run_windows --fields "$@")" "$c"
done < tests/cli/cases.txt

# The calibration files, byte for byte, with the profile's date pinned: the
# curves and colorants pass through each C library's pow.
export SOURCE_DATE_EPOCH=1700000000
for args in "--target 0.2831,0.2971" "--gamma 1.8 --target 0.3457,0.3585" \
            "--red 0.68,0.32 --green 0.265,0.69 --gamma 2.4 --white 0.3,0.32 --target 0.2831,0.2971"; do
    for option in --write-profile --write-cal; do
        a="" c=""
        # shellcheck disable=SC2086 # the options are meant to split
        if [[ $against == no ]]; then
            a=$("$native" $args $option - | sha256sum)
            c=$(node "$web" $args $option - | sha256sum)
        fi
        # shellcheck disable=SC2086
        agree "$args $option -" "$a" "$(tools/wine-run "$windows" $args $option - | sha256sum)" "$c"
    done
done
echo "compare-builds: $passed passed, $failed failed"
[[ $failed -eq 0 ]] || exit 1
# Kept only when all agreed, so that --against never compares with a text
# that one of the builds disputed.
[[ $against == yes ]] || touch "$texts/done"
