#!/bin/sh
# Builds the page, build/web/tintmend.html. On a display it opens it in the
# default browser. Without one it opens it in headless Chromium from file://,
# prints the three New Balance fields read from the live page and saves
# build/tintmend-web.png.
set -e
cd "$(dirname "$0")/.."
cmake --preset web >/dev/null
cmake --build --preset web --target tintmend_page
page=build/web/tintmend.html
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    for opener in xdg-open open; do
        if command -v "$opener" >/dev/null; then exec "$opener" "$page"; fi
    done
    echo "Open $page in a browser." && exit 0
fi
exec /usr/bin/python3 tests/web/show_page.py "$page" build/tintmend-web.png
