#!/bin/bash
# tintmend-cli --edid over monitors whose EDIDs describe no display sensibly,
# as real ones do: each loads (exit 0) and its --json names the warning.
# usage: edid_warnings.sh [EMULATOR] CLI   (the emulator runs a cross build)
set -u
cli=("$@")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
passed=0 failed=0

# An EDID base block as hex text, laid out as tests/profile/edid_builder.h
# lays it out: red x, red y, green x, green y, blue x, blue y, white x,
# white y as ten-bit values (the chromaticity times 1024), then the gamma byte.
edid_hex() {
    local -a b
    for i in $(seq 0 127); do b[i]=0; done
    b[1]=255 b[2]=255 b[3]=255 b[4]=255 b[5]=255 b[6]=255 b[18]=1 b[19]=4 b[23]=$9
    local values=("$1" "$2" "$3" "$4" "$5" "$6" "$7" "$8")
    for i in 0 1 2 3 4 5 6 7; do
        local at=$((i < 4 ? 25 : 26))
        b[at]=$((b[at] | (values[i] & 3) << (6 - 2 * (i % 4))))
        b[27 + i]=$((values[i] >> 2))
    done
    local sum=0
    for i in $(seq 0 126); do sum=$((sum + b[i])); done
    b[127]=$(((256 - sum % 256) % 256))
    for i in $(seq 0 127); do printf '%02x' "${b[i]}"; done
}

warns() {  # expected code (or "none"), then the ten-bit values and gamma
    local code=$1
    shift
    edid_hex "$@" >"$dir/edid"
    local out status
    out=$("${cli[@]}" --edid "$dir/edid" --json 2>"$dir/err" | tr -d '\r'; exit "${PIPESTATUS[0]}")
    status=$?
    local ok=0
    if [ "$code" = none ]; then
        grep -q '"warnings": \[\]' <<<"$out" && ok=1
    else
        grep -q "\"code\": \"$code\"" <<<"$out" && ok=1
    fi
    if [ "$status" = 0 ] && [ $ok = 1 ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $code from $*: exit $status, stderr '$(tr -d '\r' <"$dir/err")'"
        echo "$out"
    fi
}

# The Windows build's first run also makes its Wine prefix, with messages.
"${cli[@]}" --help >/dev/null 2>&1

warns none 655 338 307 614 154 61 320 337 120                 # close to sRGB
warns green-blue-swapped 655 338 154 61 307 614 320 337 120   # as five Samsung models store them
warns primary-y-not-positive 655 338 307 614 154 0 320 337 120
warns white-y-not-positive 655 338 307 614 154 61 320 0 120
warns primaries-collinear 205 205 410 410 615 615 320 337 120
warns white-outside-gamut 655 338 307 614 154 61 102 819 120
echo "edid_warnings: $passed passed, $failed failed"
[ "$failed" = 0 ]
