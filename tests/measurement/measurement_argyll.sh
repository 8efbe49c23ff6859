#!/bin/bash
# ArgyllCMS as the oracle of --measurement: targen makes a chart with
# repeated white and black patches, fakeread "measures" it on a known display
# profile, and what tintmend-cli reads from the .ti3 must be that profile's
# white and primaries (as --profile reads them) within 0.0005, and for a pure
# power-law profile its gamma within 0.02. With fakeread's noise, the values
# must be what the averaging rules give, worked out here from the table. A
# profile colprof makes from the chart carries it in its "targ" tag:
# --measurement on the profile and on extractttag's copy write the same texts.
# usage: measurement_argyll.sh CLI TARGEN FAKEREAD COLPROF EXTRACTTTAG SRGB_PROFILE
set -u
cli=$1 targen=$2 fakeread=$3 colprof=$4 extractttag=$5 srgb=$6
. "$(dirname "$0")/../check_cases.sh"

fields() {  # source option, file: fields 1001 to 1009, one value a line
    "$cli" "$1" "$2" --fields 2>"$dir/log" | awk -F'\t' '$1 >= 1001 && $1 <= 1009 { print $3 }'
}

within() {  # tolerance, first lines, count: the first count values of two lists agree
    paste <(echo "$2") <(echo "$3") | head -n "$4" >"$dir/pairs"
    awk -v tol="$1" '{ d = $1 - $2; if (d < 0) d = -d; if (d > tol || NF != 2) bad = 1; print > "/dev/stderr" }
                     END { exit bad || NR == 0 }' "$dir/pairs" 2>"$dir/log"
}

# The rules worked out from the table itself: means over the repeats of white,
# each primary and black, black subtracted, chromaticities; the gamma fitted
# over the grey rows from 10 % to 90 %.
by_the_rules() {  # ti3
    awk '
        /^BEGIN_DATA_FORMAT/ { format = 1; next }
        format { for (i = 1; i <= NF; i++) at[$i] = i; format = 0; next }
        /^BEGIN_DATA$/ { data = 1; next }
        /^END_DATA$/ { exit }
        data {
            r = $at["RGB_R"]; g = $at["RGB_G"]; b = $at["RGB_B"]
            k = ""
            if (r == 100 && g == 100 && b == 100) k = "w"
            if (r == 0 && g == 0 && b == 0) k = "k"
            if (r == 100 && g == 0 && b == 0) k = "r"
            if (r == 0 && g == 100 && b == 0) k = "g"
            if (r == 0 && g == 0 && b == 100) k = "b"
            if (k != "") { n[k]++; X[k] += $at["XYZ_X"]; Y[k] += $at["XYZ_Y"]; Z[k] += $at["XYZ_Z"] }
            if (r == g && g == b) { grey_s[++greys] = r / 100; grey_y[greys] = $at["XYZ_Y"] }
        }
        END {
            split("w r g b", order, " ")
            for (j = 1; j <= 4; j++) {
                c = order[j]
                x = X[c] / n[c] - X["k"] / n["k"]; y = Y[c] / n[c] - Y["k"] / n["k"]; z = Z[c] / n[c] - Z["k"] / n["k"]
                printf "%.6f\n%.6f\n", x / (x + y + z), y / (x + y + z)
            }
            yk = Y["k"] / n["k"]; yw = Y["w"] / n["w"]
            for (i = 1; i <= greys; i++) {
                s = grey_s[i]; v = (grey_y[i] - yk) / (yw - yk)
                if (s >= 0.1 && s <= 0.9 && v > 0) { num += log(s) * log(v); den += log(s) ^ 2 }
            }
            printf "%.6f\n", num / den
        }' "$1"
}

# Four white and four black patches among 60, ten steps a channel, a grey ramp.
"$targen" -v0 -d3 -e4 -B4 -s10 -g20 -f60 "$dir/chart" >/dev/null 2>&1 || { echo "FAIL: targen"; exit 1; }

measure() {  # profile, name, fakeread options...: the chart measured on it as name.ti3
    local profile=$1 name=$2
    shift 2
    cp "$dir/chart.ti1" "$dir/$name.ti1"
    "$fakeread" "$@" "$profile" "$dir/$name" >/dev/null 2>&1
}

# sRGB.icm: white and primaries as the profile states them.
measure "$srgb" srgb
check "sRGB white and primaries" within 0.0005 "$(fields --measurement "$dir/srgb.ti3")" "$(fields --profile "$srgb")" 8

# A pure power law of 2.4 with other primaries, as tintmend-cli writes it
# (its calibration the identity: the target is the white).
"$cli" --gamma 2.4 --red 0.68,0.32 --green 0.265,0.69 --white 0.3,0.32 --target 0.3,0.32 \
    --write-profile "$dir/power.icc" >/dev/null
measure "$dir/power.icc" power
check "power law: white and primaries" \
    within 0.0005 "$(fields --measurement "$dir/power.ti3")" "$(fields --profile "$dir/power.icc")" 8
check "power law: gamma" within 0.02 "$(fields --measurement "$dir/power.ti3" | tail -n 1)" "2.4" 1

# Noise of 1 % on every reading: the rules, worked out from the table.
measure "$srgb" noisy -r 1.0
check "noisy readings: the means the rules give" \
    within 0.00001 "$(fields --measurement "$dir/noisy.ti3")" "$(by_the_rules "$dir/noisy.ti3")" 9

# A profile made from the measurements keeps them in its "targ" tag.
"$colprof" -v0 -qm -as -D measured "$dir/srgb" >/dev/null 2>&1 || { echo "FAIL: colprof"; exit 1; }
"$extractttag" "$dir/srgb.icc" "$dir/extracted.ti3" >/dev/null 2>&1 || { echo "FAIL: extractttag"; exit 1; }
check "the targ tag is the table" cmp -s "$dir/srgb.ti3" "$dir/extracted.ti3"
check "the profile's table and the extracted one read alike" \
    test "$("$cli" --measurement "$dir/srgb.icc")" = "$("$cli" --measurement "$dir/extracted.ti3")"

echo "measurement_argyll: $passed passed, $failed failed"
[ "$failed" = 0 ]
