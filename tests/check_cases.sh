# Sourced by the shell tests that check cases against the real tools: a
# scratch folder in $dir, removed on exit, and check() counting each case,
# showing $dir/log for a case that fails. The caller ends with
#   echo "$passed passed, $failed failed"; [ "$failed" -eq 0 ]
dir=$(mktemp -d)
passed=0 failed=0
trap 'rm -rf "$dir"' EXIT

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
