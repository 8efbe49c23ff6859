#!/bin/bash
# The Linux, the 64-bit Windows and the WebAssembly companion programs must
# print the same texts: every case of tests/cli/cases.txt, with all fourteen
# fields shown. TINTMEND_WINDOWS_CLI names another 64-bit Windows program to
# compare, such as the release's.
set -u
cd "$(dirname "$0")/.."
native=build/native/bin/tintmend-cli
windows=${TINTMEND_WINDOWS_CLI:-build/win64/bin/tintmend-cli.exe}
web=build/web/tintmend-cli.js
export TINTMEND_WINEPREFIX=${TINTMEND_WINEPREFIX:-$PWD/build/win64/wineprefix}
passed=0 failed=0
while IFS= read -r line; do
    [[ -z "${line// }" || $line == \#* ]] && continue
    eval "set -- ${line%%=>*}"
    a=$("$native" --fields "$@" 2>&1; echo "exit $?")
    # Wine's own notes ("wine: ...", seen now and then on a loaded machine
    # after the program has printed its texts) are Wine's, not the program's:
    # its texts and its exit status still have to agree.
    b=$(tools/wine-run "$windows" --fields "$@" 2>&1 | tr -d '\r' | grep -v '^wine: '; echo "exit ${PIPESTATUS[0]}")
    c=$(node "$web" --fields "$@" 2>&1; echo "exit $?")
    if [[ "$a" == "$b" && "$a" == "$c" ]]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "DIFFER: tintmend-cli ${line%%=>*}"
        diff <(echo "$a") <(echo "$b") | sed 's/^/  windows: /'
        diff <(echo "$a") <(echo "$c") | sed 's/^/  web: /'
    fi
done < tests/cli/cases.txt

# The calibration files, byte for byte, with the profile's date pinned: the
# curves and colorants pass through each C library's pow.
export SOURCE_DATE_EPOCH=1700000000
for args in "--target 0.2831,0.2971" "--gamma 1.8 --target 0.3457,0.3585" \
            "--red 0.68,0.32 --green 0.265,0.69 --gamma 2.4 --white 0.3,0.32 --target 0.2831,0.2971"; do
    for option in --write-profile --write-cal; do
        # shellcheck disable=SC2086 # the options are meant to split
        a=$("$native" $args $option - | sha256sum)
        b=$(tools/wine-run "$windows" $args $option - | sha256sum)
        c=$(node "$web" $args $option - | sha256sum)
        if [[ "$a" == "$b" && "$a" == "$c" ]]; then
            passed=$((passed + 1))
        else
            failed=$((failed + 1))
            echo "DIFFER: tintmend-cli $args $option -: native $a, windows $b, web $c"
        fi
    done
done
echo "compare-builds: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
