"""The path a person takes through the page's three steps, in headless
Chromium from file://: every source through the one chooser and the one
paste box, a named white and a temperature, the present gains and the new
settings, the calibration saved under the target's name, the comma typed as
a full stop, and the page's shape at a phone's widths. The companion program
built from the same core gives the expected fields."""
import pathlib
import subprocess
import sys
import unittest

from selenium.webdriver.support.ui import Select

sys.dont_write_bytecode = True  # nothing written beside the sources
from browser import PageCase, emulate_phone, field_texts, open_page, page_url, wait_idle

ROOT = pathlib.Path(__file__).resolve().parents[2]
PAGE = ROOT / "build/web/tintmend.html"
CLI = ["node", str(ROOT / "build/web/tintmend-cli.js")]
PROFILE = "/usr/share/color/icc/colord/Bluish.icc"
# A small measurement: white, red, green and blue patches, as ArgyllCMS writes them.
CGATS = ("CTI3\nBEGIN_DATA_FORMAT\nRGB_R RGB_G RGB_B XYZ_X XYZ_Y XYZ_Z\nEND_DATA_FORMAT\nBEGIN_DATA\n"
         "100 100 100 95 100 108\n100 0 0 41 21 2\n0 100 0 36 72 12\n0 0 100 18 7 95\nEND_DATA\n")
READING = " Result is XYZ: 6.000000 3.000000 1.000000, Yxy: 3 0.6 0.3\n"


def build_edid(white=(320, 337)):
    """A version 1 base block with the sRGB primaries (times 1024), the given
    white and gamma 2.2, its checksum fixed."""
    block = bytearray(128)
    block[0:8] = bytes.fromhex("00ffffffffffff00")
    block[18], block[23] = 1, 120
    for i, value in enumerate((655, 338, 307, 614, 154, 61) + white):
        block[25 + i // 4] |= (value & 3) << (6 - 2 * (i % 4))
        block[27 + i] = value >> 2
    block[127] = -sum(block) % 256
    return bytes(block)


def xrandr_output(first, second):
    """What xrandr --verbose prints for two outputs, each with its EDID."""
    def dump(block):
        return "".join(f"\t\t{block[i:i + 16].hex()}\n" for i in range(0, len(block), 16))
    return ("Screen 0: minimum 320 x 200, current 3840 x 1080, maximum 16384 x 16384\n"
            "HDMI-1 connected primary 1920x1080+0+0 (0x48) normal (normal left inverted right) 527mm x 296mm\n"
            "\tIdentifier: 0x42\n\tTimestamp:  12345\n\tEDID: \n" + dump(first) +
            "\tBroadcast RGB: Automatic \n\t\tsupported: Automatic, Full, Limited 16:235\n"
            "  1920x1080 (0x48) 148.500MHz +HSync +VSync *current +preferred\n"
            "DP-1 connected 1920x1080+1920+0 (0x49) normal\n\tEDID: \n" + dump(second))


def companion_fields(*args):
    out = subprocess.run(CLI + ["--fields", *args], capture_output=True, text=True, check=True).stdout
    return [line.split("\t")[2] for line in out.splitlines()]


class Steps(PageCase):
    page = PAGE
    width, height = 1366, 768

    def file(self, name, data):
        path = pathlib.Path(self.tmp.name, name)
        path.write_bytes(data)
        return path

    def texts(self):
        return [text for _, text in field_texts(self.driver)]

    def click(self, id, step):
        self.element(id).click()
        wait_idle(self.driver, step)

    def test_the_one_chooser_takes_every_source_by_its_content(self):
        edid = build_edid()
        cases = [  # file name (nothing in it says what it is), bytes, the companion's option
            ("display-1", pathlib.Path(PROFILE).read_bytes(), "--profile"),
            ("display-2", edid, "--edid"),
            ("display-3", edid.hex().encode(), "--edid"),
            ("display-4", CGATS.encode(), "--measurement"),
        ]
        for name, data, option in cases:
            with self.subTest(source=option, name=name):
                open_page(self.driver, page_url(PAGE))
                path = self.file(name, data)
                self.element("source-chooser").send_keys(str(path))
                wait_idle(self.driver, name)
                self.assertEqual(self.texts(), companion_fields(option, str(path)))
                self.assertTrue(self.element("load-status").text.startswith(f"{name}: "))
        open_page(self.driver, page_url(PAGE))
        before = self.texts()
        self.element("source-chooser").send_keys(str(self.file("refused", bytes(range(256)) * 4)))
        wait_idle(self.driver, "a refused file")
        self.assertEqual(self.texts(), before)
        self.assertRegex(self.element("load-status").text, r"^refused: not ")

    def test_the_paste_box_takes_every_text_source(self):
        edid, other = build_edid(), build_edid(white=(290, 300))
        hex_lines = "\n".join(edid[i:i + 16].hex(" ") for i in range(0, 128, 16))
        cases = [  # the pasted text, the companion's option and what it reads for the same
            ("EDID hex", edid.hex(), "--edid", edid),
            ("edid-decode", f"edid-decode (hex):\n\n{hex_lines}\n\n----------------\n\nBlock 0, Base EDID:\n",
             "--edid", edid),
            ("xrandr --verbose, its first EDID", xrandr_output(edid, other), "--edid", edid),
            ("a reading", READING, "--measurement", READING.encode()),
            ("a CGATS table", CGATS, "--measurement", CGATS.encode()),
        ]
        for name, text, option, same in cases:
            with self.subTest(name):
                open_page(self.driver, page_url(PAGE))
                self.paste("source-text", text)
                self.click("source-apply", name)
                self.assertEqual(self.texts(), companion_fields(option, str(self.file("same", same))))
                self.assertTrue(self.element("load-status").text.startswith("Pasted text: "))

    def test_a_white_by_name_or_temperature_names_the_saved_files(self):
        cases = [("name", "D65", "D65", "tintmend-D65"),
                 ("temperature", ("3400", "planckian"), "3400K:planckian", "tintmend-3400K-blackbody"),
                 ("temperature", ("6500", "daylight"), "6500K", "tintmend-6500K-daylight")]
        for how, choice, word, name in cases:
            with self.subTest(word):
                open_page(self.driver, page_url(PAGE))
                if how == "name":
                    self.driver.find_element("xpath", f"//*[@id='whites-names']/button[text()='{choice}']").click()
                else:
                    self.type("whites-kelvin", choice[0])
                    Select(self.element("whites-locus")).select_by_value(choice[1])
                    self.element("whites-set").click()
                wait_idle(self.driver, word)
                self.assertEqual(self.texts(), companion_fields("--target", word))
                self.assertRegex(self.element("target-words").text, r"^About \d+ K, .*\(Duv [+-]0\.\d+\)\.$")
                self.click("calibration-save", "Save calibration...")
                self.assertEqual(self.element("calibration-status").text, f"Saved {name}.icc and {name}.cal")
        # A target typed by hand is named by its numbers again.
        self.type("IDC_TARGET_WHITE_X", "0.3")
        self.click("IDC_CALC", "Calc.")
        self.click("calibration-save", "Save calibration...")
        self.assertRegex(self.element("calibration-status").text, r"^Saved tintmend-white-0\.30000-")

    def test_present_gains_give_the_new_settings(self):
        cases = [  # target x, y, present red, green, blue, top: what step 3 shows large
            ("0.2831", "0.2971", "100", "100", "100", "100", "Red 81, Green 88, Blue 100"),
            ("0.3127", "0.3290", "200", "190", "210", "255", "No change needed"),
            ("0.2831", "0.2971", "", "100", "100", "100", ""),
        ]
        for x, y, red, green, blue, top, shown in cases:
            with self.subTest(target=(x, y), gains=(red, green, blue, top)):
                self.type("IDC_TARGET_WHITE_X", x)
                self.type("IDC_TARGET_WHITE_Y", y)
                self.click("IDC_CALC", "Calc.")
                for id, text in [("gain-red", red), ("gain-green", green), ("gain-blue", blue), ("gain-top", top)]:
                    self.type(id, text)
                self.assertEqual(self.element("new-settings").text, shown)

    def test_the_display_s_own_curves_give_the_settings_until_a_gamma_is_typed(self):
        # sRGB's curves are no single gamma: its settings differ from the ratios'.
        srgb = "/usr/share/color/icc/colord/sRGB.icc"
        cases = [  # what is typed after the load, the companion's options for the same
            ([], ["--profile", srgb]),
            ([("IDC_GAMMA", "2.2")], ["--profile", srgb, "--gamma", "2.2"]),
        ]
        for typed, options in cases:
            with self.subTest(typed=typed):
                open_page(self.driver, page_url(PAGE))
                self.element("source-chooser").send_keys(srgb)
                wait_idle(self.driver, "sRGB")
                self.type("IDC_TARGET_WHITE_X", "0.4599")
                self.type("IDC_TARGET_WHITE_Y", "0.4106")
                for id, text in typed:
                    self.type(id, text)
                self.click("IDC_CALC", "Calc.")
                for id in ("gain-red", "gain-green", "gain-blue", "gain-top"):
                    self.type(id, "1000")
                out = subprocess.run(CLI + options + ["--target", "0.4599,0.4106", "--gains", "1000,1000,1000",
                                                      "--gain-max", "1000"], capture_output=True, text=True,
                                     check=True).stdout
                settings = [line.split("\t")[2] for line in out.splitlines()]
                self.assertEqual(self.element("new-settings").text,
                                 "Red {}, Green {}, Blue {}".format(*settings))

    def test_typing_a_comma_and_editing_after_a_calculation(self):
        self.type("IDC_GAMMA", "2,4")
        self.assertEqual(self.element("IDC_GAMMA").get_attribute("value"), "2.4")
        self.assertTrue(self.element("stale-note").is_displayed(), "step 3 says its results are old")
        self.click("IDC_CALC", "Calc.")
        self.assertFalse(self.element("stale-note").is_displayed())
        self.assertEqual(self.element("IDC_GAMMA").get_attribute("value"), "2.4")

    def test_the_diagram_tells_the_target_as_typed(self):
        self.type("IDC_TARGET_WHITE_X", "0.3227")
        self.type("IDC_TARGET_WHITE_Y", "0.3290")
        self.click("IDC_CALC", "Calc.")
        svg = self.element("chromaticity-diagram")
        self.assertEqual((svg.get_attribute("aria-valuetext"), svg.get_attribute("aria-valuenow")),
                         ("x 0.3227, y 0.3290", "3227"))

    def test_phones_see_the_steps_in_order_with_every_control_large_enough(self):
        for width, height in [(390, 844), (320, 640)]:
            with self.subTest(width=width):
                emulate_phone(self.driver, width, height)
                open_page(self.driver, page_url(PAGE))
                page = self.driver.execute_script("""
                    const tops = ['h1', '#IDD_MAIN', '#step-display', '#step-white', '#step-set']
                        .map(s => document.querySelector(s).getBoundingClientRect().top);
                    const controls = [...document.querySelectorAll('button, input, select, textarea, summary, svg[tabindex]')]
                        .filter(e => e.getClientRects().length > 0 && !e.closest('details:not([open]) > :not(summary)'));
                    return {
                        scroll: [document.documentElement.scrollWidth, innerWidth],
                        count: controls.length,
                        ordered: tops.every((top, i) => i === 0 || top > tops[i - 1]),
                        small: controls.filter(e => {
                            const r = e.getBoundingClientRect();
                            return r.width < 24 || r.height < 24;
                        }).map(e => e.id || e.tagName),
                    };""")
                self.assertEqual(page["scroll"], [width, width])
                self.assertTrue(page["ordered"])
                self.assertGreater(page["count"], 40)
                self.assertEqual(page["small"], [])
        self.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})


if __name__ == "__main__":
    unittest.main(verbosity=2)
