"""The page's measurements (a benchmark, not a test): its size, the time from
navigation to the first results shown against the first paint of a minimal
static page with one input, and the time of one Calc. press, as medians in
one browser run.

    /usr/bin/python3 tests/web/measure_page.py build/web/tintmend.html [LOADS]
"""
import os
import pathlib
import statistics
import sys
import tempfile

sys.dont_write_bytecode = True  # nothing written beside the sources
from browser import open_page, page_url, start_browser, stop_browser

# The page marks the moment the first calculation has written its results;
# the static page is there at its first paint, which the browser records.
MARK = "tintmend-first-results"
STATIC_PAGE = """<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>static</title><link rel="icon" href="data:,"></head>
<body><input id="IDC_BAL_RED" value="1.00000"></body></html>
"""
# The first paint's time, waited for: it is recorded after the load.
FIRST_PAINT = """
const done = arguments[arguments.length - 1];
new PerformanceObserver((list, observer) => {
    const paint = list.getEntries().find((e) => e.name === 'first-paint');
    if (paint) { observer.disconnect(); done(paint.startTime); }
}).observe({ type: 'paint', buffered: true });
"""
PRESSES = 1000
BATCHES = 21

# PRESSES clicks on Calc., timed until the dialog has finished them all.
PRESS_BATCH = """
const done = arguments[arguments.length - 1];
const dialog = document.getElementById('IDD_MAIN');
const calc = document.getElementById('IDC_CALC');
const presses = arguments[0];
const start = performance.now();
const finish = () => done((performance.now() - start) / presses);
for (let i = 0; i < presses; ++i) calc.click();
if (dialog.getAttribute('aria-busy') === 'false') {
    finish();
} else {
    new MutationObserver((_, observer) => {
        if (dialog.getAttribute('aria-busy') !== 'false') return;
        observer.disconnect();
        finish();
    }).observe(dialog, { attributes: true, attributeFilter: ['aria-busy'] });
}
"""


def first_results_ms(driver, url):
    open_page(driver, url)
    return driver.execute_script(f"return performance.getEntriesByName('{MARK}')[0].startTime")


def first_paint_ms(driver, url):
    driver.get(url)
    return driver.execute_async_script(FIRST_PAINT)


def main(page, loads):
    print(f"size of {page}: {os.path.getsize(page)} bytes ({os.path.getsize(page) / 1024:.1f} KiB)")
    with tempfile.TemporaryDirectory() as tmp:
        static = pathlib.Path(tmp, "static.html")
        static.write_text(STATIC_PAGE)
        driver = start_browser()
        try:
            times = {"page": [], "static": []}
            for _ in range(loads):  # alternated, so that both see the same browser
                times["page"].append(first_results_ms(driver, page_url(page)))
                times["static"].append(first_paint_ms(driver, page_url(static)))
            page_ms, static_ms = (statistics.median(times[k]) for k in ("page", "static"))
            print(f"navigation to first results, median of {loads}: page {page_ms:.1f} ms, "
                  f"static page's first paint {static_ms:.1f} ms, ratio {page_ms / static_ms:.2f}")
            open_page(driver, page_url(page))
            driver.set_script_timeout(60)
            per_press = [driver.execute_async_script(PRESS_BATCH, PRESSES) for _ in range(BATCHES)]
            print(f"one Calc. press, median of {BATCHES} batches of {PRESSES}: "
                  f"{statistics.median(per_press) * 1000:.1f} us")
        finally:
            stop_browser(driver)


if __name__ == "__main__":
    if len(sys.argv) not in (2, 3):
        sys.exit("usage: measure_page.py PAGE [LOADS]")
    main(sys.argv[1], int(sys.argv[2]) if len(sys.argv) == 3 else 21)
