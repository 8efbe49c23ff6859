"""Debian's headless Chromium, driven by its chromedriver, for the page's
tests and scripts: a fresh profile each time, no background traffic, and the
network (performance) and console logs kept for inspection."""
import json
import pathlib
import shutil
import tempfile
import time
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
FLAGS = ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
         "--disable-component-update", "--disable-sync", "--no-first-run"]


def start_browser(width=1000, height=700, env=None):
    """env: the environment of chromedriver and so of Chromium, where a test
    changes what it sees (the fonts)."""
    profile = tempfile.mkdtemp(prefix="tintmend-chromium-")
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for flag in FLAGS + [f"--user-data-dir={profile}", f"--window-size={width},{height}"]:
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"performance": "ALL", "browser": "ALL"})
    driver = webdriver.Chrome(service=Service(CHROMEDRIVER, env=env), options=options)
    driver.tintmend_profile = profile
    # What the browser did before any page of ours is not the page's doing.
    driver.get("about:blank")
    requested_urls(driver)
    console_errors(driver)
    return driver


def emulate_phone(driver, width, height):
    """A phone's screen: its viewport honours <meta name="viewport">."""
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": 1, "mobile": True})


def stop_browser(driver):
    driver.quit()
    shutil.rmtree(driver.tintmend_profile, ignore_errors=True)


def page_url(path):
    return pathlib.Path(path).resolve().as_uri()


def requested_urls(driver):
    """Every URL the page asked for since the last call."""
    urls = []
    for entry in driver.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        if message["method"] == "Network.requestWillBeSent":
            urls.append(message["params"]["request"]["url"])
    return urls


def console_errors(driver):
    """The console's SEVERE entries since the last call."""
    return [e["message"] for e in driver.get_log("browser") if e["level"] == "SEVERE"]


def wait_until(step, condition, seen, timeout=10):
    """Waits for condition(); on a timeout fails naming the step and what seen() shows."""
    end = time.monotonic() + timeout
    while True:
        if condition():
            return
        if time.monotonic() > end:
            raise AssertionError(f"{step}: still not so after {timeout} s; saw {seen()!r}")
        time.sleep(0.02)


def wait_idle(driver, step):
    """Waits until the dialog has finished every command given to it."""
    busy = lambda: driver.execute_script(
        "const d = document.getElementById('IDD_MAIN'); return d ? d.getAttribute('aria-busy') : 'closed'")
    wait_until(step, lambda: busy() in ("false", "closed"), busy)


def open_page(driver, url):
    driver.get(url)
    wait_idle(driver, "opening the page")


def field_texts(driver):
    """Every field of the dialog as (id, text), in the dialog's order."""
    return [tuple(pair) for pair in driver.execute_script(
        "return [...document.querySelectorAll('#IDD_MAIN input')].map(e => [e.id, e.value])")]


class PageCase(unittest.TestCase):
    """One browser for a class of tests on the page at `page`, opened afresh
    for each; every test ends with no network request other than file:// or
    data: and no console error. Helpers are a person's actions, each waited on."""
    maxDiff = None
    page = None
    width, height = 1000, 700

    @classmethod
    def setUpClass(cls):
        cls.driver = start_browser(cls.width, cls.height)
        cls.tmp = tempfile.TemporaryDirectory(prefix="tintmend-web-")

    @classmethod
    def tearDownClass(cls):
        stop_browser(cls.driver)
        cls.tmp.cleanup()

    def setUp(self):
        open_page(self.driver, page_url(self.page))

    def tearDown(self):
        urls = [u for u in requested_urls(self.driver) if not u.startswith(("file://", "data:"))]
        self.assertEqual(urls, [], "network requests")
        self.assertEqual(console_errors(self.driver), [], "console errors")

    def element(self, id):
        return self.driver.find_element(By.ID, id)

    def type(self, id, text):
        field = self.element(id)
        field.clear()
        field.send_keys(text)

    def press(self, id, step):
        self.element(id).click()
        wait_idle(self.driver, step)

    def paste(self, id, text):
        """Replaces the text of a text area as a paste does."""
        self.driver.execute_script(
            "arguments[0].focus(); arguments[0].select(); document.execCommand('insertText', false, arguments[1])",
            self.element(id), text)
