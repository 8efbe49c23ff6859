#!/bin/sh
# Opens the dialog. On Windows: the 32-bit program. On a Linux display: the
# 64-bit program under Wine. Without a display: on a virtual screen, where
# tintmend-show saves build/tintmend.png, prints the three results read from
# the live dialog and closes it.
set -e
cd "$(dirname "$0")/.."
case "$(uname -s)" in
    MINGW* | MSYS* | CYGWIN*) exec build/win32/bin/tintmend.exe ;;
esac
if [ -n "${DISPLAY:-}" ]; then
    # The dialog's font, "MS UI Gothic", drawn with the IPA Gothic face.
    tools/wine-run reg add 'HKCU\Software\Wine\Fonts\Replacements' \
        /v 'MS UI Gothic' /t REG_SZ /d IPAGothic /f >/dev/null 2>&1 || true
    exec tools/wine-run build/win64/bin/tintmend.exe
fi
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
status=0
tools/wine-run build/win64/bin/tintmend-show.exe 2>"$errors" || status=$?
# Not errors: Wine's notes on making the prefix on first use (its 32-bit
# half is never installed), and the virtual screen's X server going away
# under Wine's feet.
grep -v -e '^X connection to .* broken' -e '^wine: created the configuration directory' \
    -e '^wine: configuration in .* has been updated' -e '^wine: failed to open .*syswow64' \
    "$errors" >&2 || true
[ "$status" = 0 ] && [ -s build/tintmend.png ] && echo "Screenshot: build/tintmend.png"
exit "$status"
