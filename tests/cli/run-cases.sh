#!/bin/bash
# Runs tintmend-cli over cases.txt and checks each result (or exit status).
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
    else
        actual=$(echo $(printf '%s\n' "$output" | cut -f2))
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
