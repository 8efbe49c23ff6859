#!/bin/bash
# make install with PREFIX and DESTDIR into a scratch directory: exactly the
# companion, its manual page and the page land under DESTDIR/PREFIX, the
# installed companion runs, man finds its page there, and the page is the
# one the web build made.
set -euo pipefail
cd "$(dirname "$0")/../.."
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
prefix=/opt/tintmend
make install PREFIX=$prefix DESTDIR="$dest" >"$dest.log" 2>&1 || { cat "$dest.log"; rm -f "$dest.log"; exit 1; }
rm -f "$dest.log"
root=$dest$prefix
failed=0
fail() { echo "install_check: $*" >&2; failed=1; }

want="$root/bin/tintmend-cli
$root/share/man/man1/tintmend-cli.1
$root/share/tintmend/tintmend.html"
got=$(find "$dest" -type f | LC_ALL=C sort)
[ "$got" = "$want" ] || fail "installed $(echo $got), not $(echo $want)"
[ -x "$root/bin/tintmend-cli" ] || fail "bin/tintmend-cli is not executable"

expected=$(printf 'Red\t0.81081\nGreen\t0.87909\nBlue\t1.00000')
out=$("$root/bin/tintmend-cli" --target 0.2831,0.2971) || fail "the installed companion exited with $?"
[ "$out" = "$expected" ] || fail "the installed companion printed: $out"

# By name, through the manual path: the page is where man looks for it.
warnings=$(man --warnings -M "$root/share/man" tintmend-cli 2>&1 >/dev/null) || fail "man finds no tintmend-cli under $root/share/man"
[ -z "$warnings" ] || fail "man warns: $warnings"

cmp -s "$root/share/tintmend/tintmend.html" build/web/tintmend.html ||
    fail "share/tintmend/tintmend.html is not build/web/tintmend.html"
[ $failed = 0 ] && echo "install_check: make install PREFIX=$prefix DESTDIR=... installed and ran"
exit $failed
