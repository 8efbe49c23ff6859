#!/bin/bash
# Runs tintmend-cli over cases.txt and checks each result (or exit status):
# the last column of each printed line up to the first empty one (the ratio,
# or the new gain setting where --gains asks for one), or with "=> ~TEXT" that the output, standard
# error included, has a line containing TEXT.
# usage: run-cases.sh CLI [CASES]
set -u
cli=$1
cases=${2:-$(dirname "$0")/cases.txt}
passed=0 failed=0
while IFS= read -r line; do
    [[ -z "${line// }" || $line == \#* ]] && continue
    args=${line%%=>*}
    expected=$(echo ${line##*=>})
    eval "set -- $args"
    output=$("$cli" "$@" 2>/dev/null)
    status=$?
    if [[ $expected == exit* ]]; then
        actual="exit $status"
    elif [[ $expected == \~* ]]; then
        expected=${expected#\~}
        actual=$(grep -F -m1 -- "$expected" <<<"$("$cli" "$@" 2>&1 | tr -s " ")")
        [[ -n $actual ]] && actual=$expected
    else
        actual=$(echo $(printf '%s\n' "$output" | awk -F'\t' 'NF == 0 { exit } { print $NF }'))
        [[ $status -ne 0 ]] && actual="exit $status"
    fi
    if [[ "$actual" == "$expected" ]]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: tintmend-cli$args"
        echo "  expected: $expected"
        echo "  actual:   $actual"
    fi
done < "$cases"
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
