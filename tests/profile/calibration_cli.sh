#!/bin/bash
# tintmend-cli --write-cal and --write-profile: written after all other
# options, the same bytes to a file and to standard output, the date from
# SOURCE_DATE_EPOCH, read back by --profile as a display that needs no change;
# a refusal prints one line on stderr (after the warnings that explain it),
# nothing on stdout, exits 1 and leaves any file of that name as it was.
# usage: calibration_cli.sh [EMULATOR] CLI   (the emulator runs the Windows build)
set -u
cli=("$@")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
passed=0 failed=0
export SOURCE_DATE_EPOCH=1700000000
target=(--target 0.2831,0.2971)

run() {  # arguments; the bytes on stdout stay in $dir/out; sets out, err, status
    "${cli[@]}" "$@" >"$dir/out" 2>"$dir/err"
    status=$?
    out=$(tr -d '\r\0' <"$dir/out")
    err=$(tr -d '\r' <"$dir/err")
}

check() {  # description, then a command that succeeds when the case holds
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $what: exit $status, stdout '${out:0:200}', stderr '$err'"
    fi
}

wrote() {  # file, expected results on one line
    [ "$status" = 0 ] && [ -z "$err" ] && [ "$(echo $out)" = "$2" ] && [ -s "$1" ] && [ ! -e "$1.partial" ]
}

# Every line of stderr but the last a warning, the last the refusal.
refusal() {
    ! grep -v '^tintmend-cli: warning: ' <<<"$err" | sed '$d' | grep -q . && tail -n 1 <<<"$err"
}

refused() {  # file, expected reason, expected content of the file ("" for none)
    [ "$status" = 1 ] && [ -z "$out" ] && [ "$(refusal)" = "tintmend-cli: cannot write $1: $2" ] &&
        [ ! -e "$1.partial" ] && if [ -n "$3" ]; then [ "$(cat "$1")" = "$3" ]; else [ ! -e "$1" ]; fi
}

refused_by_system() {  # file; the system's reason varies
    [ "$status" = 1 ] && [ -z "$out" ] && [[ $err == "tintmend-cli: cannot write $1: "?* ]] && [ ! -e "$1" ]
}

# The Windows build's first run also makes its Wine prefix, with messages.
"${cli[@]}" --help >/dev/null 2>&1

# The target typed after the options that name the files still counts.
run --write-profile "$dir/t.icc" --write-cal "$dir/t.cal" "${target[@]}"
check "both files" wrote "$dir/t.icc" "Red 0.81081 Green 0.87909 Blue 1.00000"
check "the profile names the target" grep -q "Tintmend: white 0.28310, 0.29710" "$dir/t.icc"
check "the .cal's first line" [ "$(head -n 1 "$dir/t.cal")" = CAL ]
check "the .cal's last row" [ "$(tail -n 2 "$dir/t.cal" | head -n 1)" = "1.0000000000 0.8108100000 0.8790900000 1.0000000000" ]
# 2023-11-14 22:13:20 UTC as six big-endian 16-bit numbers.
check "the date from SOURCE_DATE_EPOCH" [ "$(od -An -tx1 -j24 -N12 "$dir/t.icc" | tr -d ' \n')" = 07e7000b000e0016000d0014 ]

# Standard output carries the file's bytes and nothing else.
run "${target[@]}" --write-profile -
check "--write-profile -" cmp -s "$dir/out" "$dir/t.icc"
run "${target[@]}" --write-cal -
check "--write-cal -" cmp -s "$dir/out" "$dir/t.cal"

# Read back with the same target: the calibrated display needs no change.
run --profile "$dir/t.icc" "${target[@]}" --fields
check "round trip" [ "$(awk -F'\t' '$1 >= 1012 { printf "%s ", $3 }' <<<"$out")" = "1.00000 1.00000 1.00000 " ]
check "round trip's white and primaries" awk -F'\t' '
    BEGIN { split("0.2831 0.2971 0.64 0.33 0.30 0.60 0.15 0.06", want, " ") }
    $1 >= 1001 && $1 <= 1008 { d = $3 - want[$1 - 1000]; if (d > 0.0001 || d < -0.0001) bad = 1; n++ }
    END { exit bad || n != 8 }' <<<"$out"

# Refusals leave an existing file as it was, and make no new one.
printf 'old' >"$dir/old.icc"
run --target 0.7,0.3 --write-profile "$dir/old.icc"
check "outside the gamut" refused "$dir/old.icc" "the target lies outside the display's gamut: green is not a number" old
run --gamma 0 --write-cal "$dir/new.cal"
check "gamma 0" refused "$dir/new.cal" "the gamma is not positive" ""
SOURCE_DATE_EPOCH=soon run --write-profile "$dir/new.icc"
check "a date that is no number" refused "$dir/new.icc" "SOURCE_DATE_EPOCH is not a whole number of seconds" ""
run --write-cal "$dir/no/such/t.cal"
check "a folder that is not there" refused_by_system "$dir/no/such/t.cal"
# A sound calibration replaces the existing file whole.
run "${target[@]}" --write-profile "$dir/old.icc"
check "replaces an existing file" cmp -s "$dir/old.icc" "$dir/t.icc"

run --write-cal - --write-profile -
check "two files to standard output" [ "$status" = 2 ]
run --write-profile
check "--write-profile without a value" [ "$status" = 2 ]

echo "calibration_cli: $passed passed, $failed failed"
[ "$failed" = 0 ]
