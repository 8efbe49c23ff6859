#!/bin/bash
# Every test: the native unit tests, the same tests of the 64-bit Windows build
# under Wine (with its dialog tests) and of the WebAssembly build under Node,
# and the comparison of the Linux, Windows and WebAssembly companion programs. The 32-bit program is built by `make`, not run:
# this machine's kernel cannot execute 32-bit code.
set -e
cd "$(dirname "$0")/.."

# One virtual screen and one fresh Wine prefix for the whole run.
export TINTMEND_WINEPREFIX=$PWD/build/win64/wineprefix
rm -rf "$TINTMEND_WINEPREFIX"
if [ -z "${DISPLAY:-}" ]; then
    n=90
    while [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    # Under set -e a failing command in the exit trap would fail the run.
    stop_screen() {
        WINEPREFIX=$TINTMEND_WINEPREFIX wineserver -k 2>/dev/null || true
        kill "$xvfb_pid" 2>/dev/null || true
    }
    trap stop_screen EXIT
    export DISPLAY=:$n
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
fi

ctest --preset native
ctest --preset win64
ctest --preset web
tools/compare-builds.sh
# The page in headless Chromium, opened from file://.
/usr/bin/python3 tests/web/page_test.py
/usr/bin/python3 tests/web/whites_test.py
/usr/bin/python3 tests/web/calibration_page_test.py
/usr/bin/python3 tests/web/page_use_test.py

# The core's tests under AddressSanitizer and UndefinedBehaviorSanitizer,
# then the fuzzers: the saved inputs replayed and a short fuzzing pass.
cmake --preset asan >/dev/null && cmake --build --preset asan
ctest --preset asan
tools/fuzz.sh check

# The release, built in two copies of the tree: the same bytes both times.
tools/dist.sh check
# The released 64-bit programs under Wine: the dialog's end-to-end test, and
# the companion's cases against the Linux and WebAssembly builds.
tools/dist.sh test
echo "make test: every test passed"
