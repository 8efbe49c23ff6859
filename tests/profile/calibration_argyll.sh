#!/bin/bash
# ArgyllCMS reads what tintmend-cli writes: iccdump -v 3 reads every tag of
# the profile without an error or a warning, and dispwin, on a virtual X
# screen of its own (never the desktop's: run it under tools/with-screen
# --own), sets the calibration from the .cal and from the profile. A damaged
# .cal must be turned away, or the check proves nothing.
# usage: with-screen --own calibration_argyll.sh CLI ICCDUMP DISPWIN
set -u
cli=$1 iccdump=$2 dispwin=$3
. "$(dirname "$0")/../check_cases.sh"
export SOURCE_DATE_EPOCH=1700000000

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
# Files built on a calibration in effect: the last profile's vcgt.
mv "$dir/t.icc" "$dir/base.icc"
if "$cli" --profile "$dir/base.icc" --target D65 --write-profile "$dir/t.icc" --write-cal "$dir/on.cal" >/dev/null; then
    check "iccdump -v 3, built on a calibration" reads_cleanly "$dir/t.icc"
    check "dispwin, .cal built on a calibration" sets_calibration "$dir/on.cal"
    check "dispwin, profile built on a calibration" sets_calibration "$dir/t.icc"
else
    failed=$((failed + 1))
    echo "FAIL: tintmend-cli --profile base.icc --target D65"
fi
grep -v END_DATA "$dir/t.cal" >"$dir/damaged.cal"
check "dispwin turns a damaged .cal away" turned_away "$dir/damaged.cal"

echo "calibration_argyll: $passed passed, $failed failed"
[ "$failed" = 0 ]
