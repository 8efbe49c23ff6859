#!/bin/sh
# A refused profile: exactly one line on stderr naming the file and the
# reason, nothing on stdout, exit status 1.
# usage: cli_refusal.sh CLI
cli=$1
fail=0
check() {  # file, expected stderr line
    out=$("$cli" --profile "$1" 2>/dev/null)
    status=$?
    err=$("$cli" --profile "$1" 2>&1 >/dev/null)
    if [ "$status" != 1 ] || [ -n "$out" ] || [ "$err" != "$2" ]; then
        echo "FAIL: --profile $1: exit $status, stdout '$out', stderr '$err'"
        fail=1
    fi
}
icc=/usr/share/color/icc
check $icc/Gray.icc "tintmend-cli: $icc/Gray.icc: colour space not RGB: \"GRAY\""
check $icc/CineLogCurve.icc "tintmend-cli: $icc/CineLogCurve.icc: not a display profile: device class \"abst\""
check $icc/LCMSLABI.ICM "tintmend-cli: $icc/LCMSLABI.ICM: colour space not RGB: \"Lab \""
check $icc/TR002.ti3 "tintmend-cli: $icc/TR002.ti3: not an ICC profile"
check /no/such.icc "tintmend-cli: /no/such.icc: cannot be opened"
exit $fail
