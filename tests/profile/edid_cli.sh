#!/bin/bash
# tintmend-cli --edid: from a file and from standard input, binary and hex
# text, acting where it stands among the options; a refusal prints exactly one
# line on stderr naming the file and the reason, nothing on stdout, and exits 1.
# usage: edid_cli.sh [EMULATOR] CLI   (the emulator runs the Windows build)
set -u
cli=("$@")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
passed=0 failed=0

# The builder's typical block (tests/profile/edid_builder.h), and the fields
# 1001 to 1009 that it writes; with CR LF and 0x1A in its manufacturer bytes,
# which a read of standard input in text mode on Windows would change.
hex=00ffffffffffff000d0a1a0000000000000001040000007800ee91a3544c99260f5054
hex=$hex$(printf '0%.0s' $(seq $((256 - ${#hex} - 2))))24
typical="0.31250 0.32910 0.63965 0.33008 0.29980 0.59961 0.15039 0.05957 2.20000"
printf "$(sed 's/../\\x&/g' <<<"$hex")" >"$dir/edid"
{ cat "$dir/edid"; head -c $((32768 + 1 - 128)) /dev/zero; } >"$dir/big"
# As xrandr --verbose prints it: a label, then lines of 32 digits behind two tabs.
{ printf '\tEDID: \n'; fold -w 32 <<<"$hex" | sed 's/^/\t\t/'; } >"$dir/xrandr.txt"
printf '0x\n%s\n' "$hex" >"$dir/bad.txt"

run() {  # stdin file, then arguments; sets out, err, status
    local input=$1
    shift
    out=$("${cli[@]}" "$@" <"$input" 2>"$dir/err" | tr -d '\r'; exit "${PIPESTATUS[0]}")
    status=$?
    err=$(tr -d '\r' <"$dir/err")
}

fields() {  # fields 1001 to 1009 of --fields output, on one line
    echo $(awk -F'\t' '$1 >= 1001 && $1 <= 1009 { print $3 }' <<<"$1")
}

pass_or_fail() {  # ok, description
    if [ "$1" = 1 ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $2: exit $status, stdout '$out', stderr '$err'"
    fi
}

loads() {  # stdin file, expected fields 1001 to 1009, arguments
    local input=$1 expected=$2
    shift 2
    run "$input" --fields "$@"
    local ok=0
    [ "$status" = 0 ] && [ -z "$err" ] && [ "$(fields "$out")" = "$expected" ] && ok=1
    pass_or_fail $ok "$*"
}

refuses() {  # stdin file, expected stderr line, arguments
    local input=$1 expected=$2
    shift 2
    run "$input" "$@"
    local ok=0
    [ "$status" = 1 ] && [ -z "$out" ] && [ "$err" = "$expected" ] && ok=1
    pass_or_fail $ok "$*"
}

# The Windows build's first run also makes its Wine prefix, with messages.
"${cli[@]}" --help >/dev/null 2>&1

loads /dev/null "$typical" --edid "$dir/edid"
loads "$dir/edid" "$typical" --edid -
loads "$dir/xrandr.txt" "$typical" --edid -
loads /dev/null "$typical" --set 1003=0.7 --edid "$dir/edid"
loads /dev/null "${typical/0.63965/0.7}" --edid "$dir/edid" --set 1003=0.7
refuses /dev/null "tintmend-cli: $dir/gone: cannot be opened" --edid "$dir/gone"
refuses /dev/null "tintmend-cli: $dir/big: too large to be an EDID: over 32768 bytes" --edid "$dir/big"
refuses "$dir/big" "tintmend-cli: -: too large to be an EDID: over 32768 bytes" --edid -
refuses /dev/null "tintmend-cli: -: too short to be an EDID: 0 bytes, fewer than 128" --edid -
refuses "$dir/bad.txt" "tintmend-cli: -: neither an EDID nor its hex text: \"x\" at offset 1" --edid - --edid "$dir/edid"
run /dev/null --edid
pass_or_fail "$([ "$status" = 2 ] && echo 1)" "--edid without a value"
echo "edid_cli: $passed passed, $failed failed"
[ "$failed" = 0 ]
