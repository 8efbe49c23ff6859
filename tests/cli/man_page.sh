#!/bin/bash
# The companion's manual page renders without a warning and names exactly the
# options that --help names: an option added to one and not the other fails.
# usage: man_page.sh CLI MANUAL-PAGE
set -u
cli=$1 page=$2
failed=0

warnings=$(man -l --warnings "$page" 2>&1 >/dev/null)
if [ -n "$warnings" ]; then
    echo "man -l --warnings $page:"
    echo "$warnings"
    failed=1
fi

# --help: each option at the start of its line, "-h" where the help says
# "(also -h)".
help=$("$cli" --help) || { echo "$cli --help exited with $?"; exit 1; }
from_help=$({
    sed -n 's/^  \(--*[a-z][a-z-]*\).*/\1/p' <<<"$help"
    grep -o '(also -[a-z])' <<<"$help" | tr -d '()' | sed 's/^also //'
} | LC_ALL=C sort -u)

# The page: every option in the tag line of an item (the line after .TP) of
# the OPTIONS section, with troff's escaped hyphens made plain.
from_page=$(awk '/^\.SH/ { in_options = ($2 == "OPTIONS") }
                 in_options && tag { print } { tag = ($0 == ".TP") }' "$page" |
    sed 's/\\-/-/g' | grep -o -- '-\{1,2\}[a-z][a-z-]*' | LC_ALL=C sort -u)

if [ -z "$from_help" ] || [ -z "$from_page" ]; then
    echo "no options found: --help gave [$from_help], $page gave [$from_page]"
    exit 1
fi
while read -r option; do
    echo "--help names $option, which $page does not"
    failed=1
done < <(LC_ALL=C comm -23 <(echo "$from_help") <(echo "$from_page"))
while read -r option; do
    echo "$page names $option, which --help does not"
    failed=1
done < <(LC_ALL=C comm -13 <(echo "$from_help") <(echo "$from_page"))
[ $failed = 0 ] && echo "man_page: $(wc -l <<<"$from_help") options, the same in --help and $page"
exit $failed
