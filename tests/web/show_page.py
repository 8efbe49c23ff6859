"""What `make web` does without a display: opens the page in headless
Chromium from file://, prints the three New Balance fields read from the live
page and saves a screenshot of the dialog and the diagram; given a size, of
the window at that size instead (a phone's below 500 pixels wide).

    /usr/bin/python3 tests/web/show_page.py build/web/tintmend.html build/tintmend-web.png [WIDTHxHEIGHT]
"""
import sys

sys.dont_write_bytecode = True  # nothing written beside the sources
from browser import field_texts, open_page, page_url, start_browser, stop_browser

MARGIN = 16
PHONE_WIDTH = 500


def save_window(page, screenshot, width, height):
    driver = start_browser(width, height)
    try:
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 1, "mobile": width < PHONE_WIDTH})
        driver.execute_cdp_cmd("Emulation.setScrollbarsHidden", {"hidden": True})
        open_page(driver, page_url(page))
        if not driver.save_screenshot(screenshot):
            sys.exit(f"show_page: could not save {screenshot}")
        print(f"Screenshot: {screenshot} ({width}x{height})")
    finally:
        stop_browser(driver)


def main(page, screenshot):
    driver = start_browser()
    try:
        open_page(driver, page_url(page))
        fields = dict(field_texts(driver))
        print("New Balance: red {}, green {}, blue {}".format(
            fields["IDC_BAL_RED"], fields["IDC_BAL_GREEN"], fields["IDC_BAL_BLUE"]))
        # The viewport cut to the page's content, the small print included,
        # without scrollbars: one would narrow the cut viewport and wrap the
        # diagram's column under the dialog.
        driver.execute_cdp_cmd("Emulation.setScrollbarsHidden", {"hidden": True})
        width, height = driver.execute_script(
            "const right = Math.max(...[...document.getElementById('desk').children]"
            "    .map(e => e.getBoundingClientRect().right));"
            "return [Math.ceil(right), Math.ceil(document.querySelector('.version').getBoundingClientRect().bottom)]")
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width + MARGIN, "height": height + MARGIN, "deviceScaleFactor": 1, "mobile": False})
        if not driver.save_screenshot(screenshot):
            sys.exit(f"show_page: could not save {screenshot}")
        print(f"Screenshot: {screenshot}")
    finally:
        stop_browser(driver)


if __name__ == "__main__":
    if len(sys.argv) == 4:
        save_window(sys.argv[1], sys.argv[2], *map(int, sys.argv[3].split("x")))
    elif len(sys.argv) == 3:
        main(sys.argv[1], sys.argv[2])
    else:
        sys.exit("usage: show_page.py PAGE SCREENSHOT.png [WIDTHxHEIGHT]")
