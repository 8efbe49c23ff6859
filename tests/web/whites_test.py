"""The page's target chooser, its account of the results and the diagram's
loci, in Debian's headless Chromium from file://. The companion program built
from the same core (build/web/tintmend-cli.js under Node) gives the expected
fields, settings and account. No test may see a network request other than
file:// or data:, or a console error."""
import pathlib
import subprocess
import sys
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select

sys.dont_write_bytecode = True  # nothing written beside the sources
from browser import PageCase, field_texts, wait_idle

ROOT = pathlib.Path(__file__).resolve().parents[2]
PAGE = ROOT / "build/web/tintmend.html"
CLI = ["node", str(ROOT / "build/web/tintmend-cli.js")]
PAGE_LIMIT = 128 * 1024


def cli(*args):
    return subprocess.run(CLI + list(args), capture_output=True, text=True, check=True).stdout


def cli_texts(*args):
    """The fourteen field texts the companion shows after args."""
    return [line.split("\t")[2] for line in cli("--fields", *args).splitlines()]


def cli_account(*args):
    """The account --explain prints, without the results before it and the
    companion's own hints after it."""
    lines = cli("--explain", *args).split("\n\n", 1)[1].splitlines()
    return "\n".join(line for line in lines if not line.startswith(("(--gains", "Read the warnings")))


class Whites(PageCase):
    page = PAGE

    def click(self, element, step):
        element.click()
        wait_idle(self.driver, step)

    def texts(self):
        return [text for _, text in field_texts(self.driver)]

    def warnings(self):
        return [item.text for item in self.driver.find_elements(By.CSS_SELECTOR, ".warnings li")]

    def choose_temperature(self, kelvin, locus):
        self.type("whites-kelvin", kelvin)
        Select(self.element("whites-locus")).select_by_value(locus)
        self.click(self.element("whites-set"), f"{kelvin} K on the {locus} locus")

    def test_the_page_stays_small(self):
        self.assertLessEqual(PAGE.stat().st_size, PAGE_LIMIT)

    def test_the_chooser_types_the_target_and_recalculates(self):
        names = [b.text for b in self.element("whites-names").find_elements(By.TAG_NAME, "button")]
        self.assertEqual(names, ["D50", "D55", "D65", "D75", "A", "E", "DCI-P3"])
        for name in ["D50", "DCI-P3"]:
            with self.subTest(name=name):
                button = self.element("whites-names").find_element(By.XPATH, f"button[text()='{name}']")
                self.click(button, name)
                self.assertEqual(self.texts(), cli_texts("--target", name))
        for kelvin, locus, target in [("9300", "daylight", "9300K"), ("2700", "planckian", "2700K:planckian")]:
            with self.subTest(kelvin=kelvin, locus=locus):
                self.choose_temperature(kelvin, locus)
                self.assertEqual(self.texts(), cli_texts("--target", target))
                self.assertEqual(self.element("whites-status").text, "")
        before = self.texts()
        self.choose_temperature("3000", "daylight")
        self.assertEqual(self.texts(), before, "a temperature off the locus typed something")
        self.assertEqual(self.element("whites-status").text, "The daylight locus runs from 4000 to 25000 K.")

    def test_the_panel_gives_the_companions_account(self):
        self.assertIn("Reference white 0.31270, 0.32900  6504 K, Duv +0.00321",
                      self.element("account-text").get_attribute("textContent"))
        self.assertEqual(self.warnings(), [])
        for red, green, blue in [("100", "100", "100"), ("200", "190", "210")]:
            with self.subTest(gains=(red, green, blue)):
                for id, value in [("gain-red", red), ("gain-green", green), ("gain-blue", blue), ("gain-top", "255")]:
                    self.type(id, value)
                self.choose_temperature("9300", "daylight")
                self.assertEqual(self.element("account-text").get_attribute("textContent"),
                                 cli_account("--target", "9300K", "--gains", f"{red},{green},{blue}",
                                             "--gain-max", "255"))
        cases = [  # target typed => the first warning
            (("0;2831", "0.2971"), "the target white's x is not wholly a number: "
                                   "only its leading number is read, as 0.00000"),
            (("0.7", "0.3"), "the target lies outside the primaries' triangle: "
                             "no setting of green and blue reaches it"),
        ]
        for (x, y), warning in cases:
            with self.subTest(x=x, y=y):
                self.type("IDC_TARGET_WHITE_X", x)
                self.type("IDC_TARGET_WHITE_Y", y)
                self.click(self.element("IDC_CALC"), "Calc.")
                self.assertEqual(self.warnings()[0], warning)
                self.assertIn("Target white", self.element("account-text").get_attribute("textContent"))
                self.assertEqual(self.element("account-text").get_attribute("textContent"),
                                 cli_account("--set", f"1010={x}", "--set", f"1011={y}",
                                             "--gains", "200,190,210", "--gain-max", "255"))

    def test_the_loci_are_drawn_with_their_ticks_and_zoom_to_the_whites(self):
        loci = self.driver.execute_script("""
            return [...document.querySelectorAll('.loci path')].map(p => [p.getAttribute('class'),
                p.getTotalLength() > 0]);""")
        # Each locus, then its ticks every 1000 K from 3000 (daylight's from 4000) to 10000 K.
        self.assertEqual(loci, [["daylight", True]] * 8 + [["planckian", True]] * 9)
        labels = self.driver.find_elements(By.CSS_SELECTOR, ".kelvin-labels text")
        self.assertEqual([label.get_attribute("textContent") for label in labels],
                         [f"{k} K" for k in range(3000, 11000, 1000)])
        self.assertFalse(labels[3].is_displayed(), "labels shown unzoomed")
        svg = self.element("chromaticity-diagram")
        self.click(self.element("whites-zoom"), "zoom")
        self.assertEqual(self.element("whites-zoom").get_attribute("aria-pressed"), "true")
        self.assertTrue(labels[3].is_displayed(), "labels hidden zoomed")
        # Zoomed, a click lands within a thousandth of where it was aimed.
        x, y = 0.2900, 0.3050
        self.driver.execute_script("arguments[0].scrollIntoView({block: 'center'})", svg)
        px, py = self.driver.execute_script(
            "const p = new DOMPoint(arguments[0], arguments[1]).matrixTransform("
            "document.getElementById('diagram-plot').getScreenCTM()); return [p.x, p.y]", x, y)
        box = self.driver.execute_script("return arguments[0].getBoundingClientRect().toJSON()", svg)
        ActionChains(self.driver).move_to_element_with_offset(
            svg, round(px - box["x"] - box["width"] / 2), round(py - box["y"] - box["height"] / 2)).click().perform()
        wait_idle(self.driver, "the click")
        self.assertAlmostEqual(float(self.element("IDC_TARGET_WHITE_X").get_attribute("value")), x, delta=0.001)
        self.assertAlmostEqual(float(self.element("IDC_TARGET_WHITE_Y").get_attribute("value")), y, delta=0.001)
        self.click(self.element("whites-zoom"), "zoom back")
        self.assertFalse(labels[3].is_displayed(), "labels shown after zooming back")


if __name__ == "__main__":
    unittest.main(verbosity=2)
