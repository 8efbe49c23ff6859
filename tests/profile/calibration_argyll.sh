#!/bin/bash
# ArgyllCMS reads what tintmend-cli writes: iccdump -v 3 reads every tag of
# the profile without an error or a warning, and dispwin, on a virtual X
# screen of its own (never the desktop's), sets the calibration from the .cal
# and from the profile. A damaged .cal must be turned away, or the check
# proves nothing.
# usage: calibration_argyll.sh CLI ICCDUMP DISPWIN XVFB
set -u
cli=$1 iccdump=$2 dispwin=$3 xvfb=$4
dir=$(mktemp -d)
passed=0 failed=0
export SOURCE_DATE_EPOCH=1700000000

"$xvfb" -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$dir/display" 2>/dev/null &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null; rm -rf "$dir"' EXIT
for _ in $(seq 100); do [ -s "$dir/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n 1 "$dir/display")

check() {  # description, then a command that succeeds when the case holds
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $what"
        cat "$dir/log"
    fi
}

reads_cleanly() {  # profile: all eleven tags, the vcgt as a table, no complaint
    "$iccdump" -v 3 "$1" >"$dir/log" 2>&1 && ! grep -qiE 'warning|error' "$dir/log" &&
        grep -q "^tag 10:" "$dir/log" && grep -q "channels  = 3" "$dir/log"
}

# dispwin on Xvfb now and then dies of a signal while it opens the display,
# before it has looked at the file (it does so with no file at all, too);
# only such a run is repeated, a few times at most.
run_dispwin() {  # arguments; the status in dispwin_status, the output in $dir/log
    for _ in 1 2 3 4 5; do
        stdbuf -oL -eL "$dispwin" "$@" >"$dir/log" 2>&1
        dispwin_status=$?
        [ "$dispwin_status" -gt 128 ] && ! grep -q "^About to set display" "$dir/log" || return 0
    done
}

sets_calibration() {  # file
    run_dispwin -v -d 1 "$1"
    [ "$dispwin_status" = 0 ] && grep -q "^Calibration set" "$dir/log" && ! grep -qiE 'warning|error' "$dir/log"
}

turned_away() {  # file: refused with a message, not a crash
    run_dispwin -v -d 1 "$1"
    [ "$dispwin_status" = 1 ] && grep -q "Error" "$dir/log"
}

cases=("--target 0.2831,0.2971" "--gamma 1.8 --target 0.3457,0.3585"
       "--red 0.68,0.32 --green 0.265,0.69 --gamma 2.4 --white 0.3,0.32")
for args in "${cases[@]}"; do
    # shellcheck disable=SC2086 # the options are meant to split
    if ! "$cli" $args --write-profile "$dir/t.icc" --write-cal "$dir/t.cal" >/dev/null; then
        failed=$((failed + 1))
        echo "FAIL: tintmend-cli $args"
        continue
    fi
    check "iccdump -v 3, $args" reads_cleanly "$dir/t.icc"
    check "dispwin, .cal, $args" sets_calibration "$dir/t.cal"
    check "dispwin, profile, $args" sets_calibration "$dir/t.icc"
done
grep -v END_DATA "$dir/t.cal" >"$dir/damaged.cal"
check "dispwin turns a damaged .cal away" turned_away "$dir/damaged.cal"

echo "calibration_argyll: $passed passed, $failed failed"
[ "$failed" = 0 ]
