"""The page's "Save calibration...": in headless Chromium with a download
folder of the test's own and the clock pinned, the two downloads hold exactly
the bytes that the companion built from the same core
(build/web/tintmend-cli.js under Node) writes for the same fields with
SOURCE_DATE_EPOCH at the same time; results that allow no calibration put the
reason in the status line and download nothing. Nothing but file://, data:
and blob: URLs may be asked for, and the console stays free of errors."""
import os
import pathlib
import subprocess
import sys
import tempfile
import time
import unittest

from selenium.webdriver.common.by import By

sys.dont_write_bytecode = True  # nothing written beside the sources
from browser import console_errors, open_page, page_url, requested_urls, start_browser, stop_browser, wait_idle

ROOT = pathlib.Path(__file__).resolve().parents[2]
PAGE = ROOT / "build/web/tintmend.html"
CLI = ["node", str(ROOT / "build/web/tintmend-cli.js")]
EPOCH = 1700000000  # 2023-11-14 22:13:20 UTC


def companion_bytes(option, *args):
    env = dict(os.environ, SOURCE_DATE_EPOCH=str(EPOCH))
    return subprocess.run(CLI + [*args, option, "-"], capture_output=True, check=True, env=env).stdout


class SaveCalibration(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.driver = start_browser()
        cls.downloads = tempfile.TemporaryDirectory(prefix="tintmend-downloads-")
        cls.driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                                   {"behavior": "allow", "downloadPath": cls.downloads.name})
        # The page takes the profile's date from the browser's clock.
        cls.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                   {"source": f"Date.now = () => {EPOCH * 1000 + 999};"})

    @classmethod
    def tearDownClass(cls):
        stop_browser(cls.driver)
        cls.downloads.cleanup()

    def setUp(self):
        open_page(self.driver, page_url(PAGE))

    def tearDown(self):
        urls = [u for u in requested_urls(self.driver) if not u.startswith(("file://", "data:", "blob:"))]
        self.assertEqual(urls, [], "network requests")
        self.assertEqual(console_errors(self.driver), [], "console errors")

    def element(self, id):
        return self.driver.find_element(By.ID, id)

    def type_and_calc(self, typed):
        for id, text in typed:
            field = self.element(id)
            field.clear()
            field.send_keys(text)
        self.element("IDC_CALC").click()
        wait_idle(self.driver, "Calc.")

    def save(self):
        self.element("calibration-save").click()
        wait_idle(self.driver, "Save calibration...")

    def downloaded(self, names, timeout=10):
        folder = pathlib.Path(self.downloads.name)
        end = time.monotonic() + timeout
        while sorted(p.name for p in folder.iterdir()) != sorted(names):
            if time.monotonic() > end:
                self.fail(f"downloads: {sorted(p.name for p in folder.iterdir())}, wanted {names}")
            time.sleep(0.05)
        return {name: (folder / name).read_bytes() for name in names}

    def test_downloads_are_the_companions_bytes(self):
        cases = [  # typed fields, the companion's options, the files' name
            ([("IDC_TARGET_WHITE_X", "0.2831"), ("IDC_TARGET_WHITE_Y", "0.2971")],
             ["--target", "0.2831,0.2971"], "tintmend-white-0.28310-0.29710"),
            ([("IDC_GAMMA", "1.8"), ("IDC_RED_X", "0.68"), ("IDC_RED_Y", "0.32"),
              ("IDC_TARGET_WHITE_X", "0.3457"), ("IDC_TARGET_WHITE_Y", "0.3585")],
             ["--gamma", "1.8", "--red", "0.68,0.32", "--target", "0.3457,0.3585"],
             "tintmend-white-0.34570-0.35850"),
        ]
        for typed, options, name in cases:
            with self.subTest(name=name):
                for leftover in pathlib.Path(self.downloads.name).iterdir():
                    leftover.unlink()
                self.type_and_calc(typed)
                self.save()
                files = self.downloaded([f"{name}.icc", f"{name}.cal"])
                self.assertEqual(files[f"{name}.icc"], companion_bytes("--write-profile", *options))
                self.assertEqual(files[f"{name}.cal"], companion_bytes("--write-cal", *options))
                self.assertEqual(self.element("calibration-status").text, f"Saved {name}.icc and {name}.cal")

    def test_refusal_says_why_and_downloads_nothing(self):
        for leftover in pathlib.Path(self.downloads.name).iterdir():
            leftover.unlink()
        self.type_and_calc([("IDC_TARGET_WHITE_X", "0.7"), ("IDC_TARGET_WHITE_Y", "0.3")])
        self.save()
        self.assertEqual(self.element("calibration-status").text,
                         "No calibration: the target lies outside the display's gamut: green is not a number")
        time.sleep(0.5)  # time enough for a download that should not come
        self.assertEqual(list(pathlib.Path(self.downloads.name).iterdir()), [])


if __name__ == "__main__":
    unittest.main()
