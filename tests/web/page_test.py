"""The page in a real browser: Debian's headless Chromium opens
build/web/tintmend.html from file:// and works it as a person would, by
keyboard, mouse and the real file input. The companion program built from the
same core (build/web/tintmend-cli.js under Node) gives the expected texts of
profile loads and diagram clicks. No test may see a network request other
than file:// or data:, or a console error."""
import pathlib
import re
import subprocess
import sys
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

sys.dont_write_bytecode = True  # nothing written beside the sources
from browser import PageCase, field_texts, open_page, page_url, wait_idle

ROOT = pathlib.Path(__file__).resolve().parents[2]
PAGE = ROOT / "build/web/tintmend.html"
CLI = ["node", str(ROOT / "build/web/tintmend-cli.js")]
TEMPLATE = ROOT / "ui/tintmend.rc"
COLORD = "/usr/share/color/icc/colord"
PROFILE = f"{COLORD}/Bluish.icc"
GRAY = "/usr/share/color/icc/Gray.icc"
RESULTS = ["IDC_BAL_RED", "IDC_BAL_GREEN", "IDC_BAL_BLUE"]
DEFAULTS = ["0.3127", "0.3290", "0.640", "0.330", "0.300", "0.600", "0.150", "0.060", "2.2",
            "0.3127", "0.3290", "1.00000", "1.00000", "1.00000"]


def build_edid(ten_bits, gamma, checksum_fixed=True):
    """A version 1 EDID base block: the ten-bit chromaticities (red x, red y,
    green x, green y, blue x, blue y, white x, white y, each times 1024), the
    gamma byte, and the checksum fixed up or one off."""
    block = bytearray(128)
    block[0:8] = bytes.fromhex("00ffffffffffff00")
    block[18] = 1
    block[23] = gamma
    for i, value in enumerate(ten_bits):
        block[25 + i // 4] |= (value & 3) << (6 - 2 * (i % 4))
        block[27 + i] = value >> 2
    block[127] = (1 - checksum_fixed - sum(block)) % 256
    return bytes(block)


def cli_fields(*args):
    """The fourteen (name, text) pairs the companion shows after args."""
    out = subprocess.run(CLI + ["--fields", *args], capture_output=True, text=True, check=True).stdout
    return [tuple(line.split("\t")[1:]) for line in out.splitlines()]


class Page(PageCase):
    page = PAGE

    # Helpers: a person's actions, each waited on.
    def text(self, id):
        return self.element(id).get_attribute("value")

    def results(self):
        return [self.text(id) for id in RESULTS]

    def choose(self, path, step):
        self.element("profile-chooser").send_keys(str(path))
        wait_idle(self.driver, step)

    def keys(self, *keys):
        """Presses keys in turn; Shift is held from one Shift to the next."""
        actions, held = ActionChains(self.driver), False
        for key in keys:
            if key == Keys.SHIFT:
                (actions.key_up if held else actions.key_down)(key)
                held = not held
            else:
                actions.send_keys(key)
        actions.perform()

    def focused(self):
        return self.driver.execute_script("return document.activeElement.id")

    def test_opens_with_the_defaults_and_their_results(self):
        self.assertEqual([text for _, text in field_texts(self.driver)], DEFAULTS)
        self.assertEqual(self.focused(), "IDC_REF_WHITE_X")
        self.assertEqual(self.element("dialog-caption").text, "Tintmend")
        version = self.driver.find_element(By.CLASS_NAME, "version")
        self.assertEqual(version.text, "Tintmend 1.0.0")
        self.assertEqual(self.driver.execute_script(
            "return document.getElementById('IDD_MAIN').contains(arguments[0])", version), False)
        chooser = self.element("profile-chooser")
        self.assertEqual((chooser.get_attribute("type"), chooser.get_attribute("accept")),
                         ("file", ".icc,.icm"))
        edid = self.element("source-chooser")
        self.assertEqual((edid.get_attribute("type"), edid.get_attribute("accept")), ("file", ""))
        self.assertEqual(self.driver.execute_script(
            "return document.getElementById('IDD_MAIN').contains(document.getElementById('source-load'))"), False)
        self.assertEqual(self.element("load-status").text, "")

    def test_the_licences_open_below_the_version(self):
        licences = self.driver.find_element(By.CSS_SELECTOR, "details.licences")
        self.assertEqual(self.driver.execute_script(
            "return arguments[0].getBoundingClientRect().top"
            " >= document.querySelector('.version').getBoundingClientRect().bottom", licences), True)
        text = licences.find_element(By.TAG_NAME, "pre")
        self.assertFalse(text.is_displayed())
        licences.find_element(By.TAG_NAME, "summary").click()
        for notice in ["Copyright (c) 2026 The Tintmend authors", "== Emscripten ==",
                       "The Emscripten Authors", "== musl ==", "Rich Felker",
                       "== musl: Sun Microsystems =="]:
            with self.subTest(notice=notice):
                self.assertIn(notice, text.text)

    def test_calc_turns_typed_texts_into_results(self):
        cases = [  # gamma, target x, target y => results
            ("2.2", "0.2831", "0.2971", ["0.81081", "0.87909", "1.00000"]),
            ("2.2", "0.3457", "0.3585", ["1.00000", "0.91843", "0.80086"]),
            ("2.2", "0.3000", "0.3000", ["0.91567", "0.88432", "1.00000"]),
            ("1.0", "0.2831", "0.2971", ["0.63040", "0.75314", "1.00000"]),
            ("2.2", "0.7", "0.3", ["1.00000", "-1.#IND0", "-1.#IND0"]),
            ("2.2", "0.3", "0.0", ["0.91567", "-1.#IND0", "1.00000"]),
            ("0", "0.3127", "0.3290", ["0.00000", "0.00000", "1.00000"]),
            # Only 254 characters are read: the 255th, a 9, is not.
            ("2.2", " " * 248 + "0.28319", "0.2971", ["0.81081", "0.87909", "1.00000"]),
            # A character beyond 8 bits ends the number (U+0135 is no 5).
            ("2.2", "0.2831\u0135", "0.2971", ["0.81081", "0.87909", "1.00000"]),
        ]
        for gamma, x, y, results in cases:
            with self.subTest(gamma=gamma, x=x.strip(), y=y):
                before = self.results()
                self.type("IDC_GAMMA", gamma)
                self.type("IDC_TARGET_WHITE_X", x)
                self.type("IDC_TARGET_WHITE_Y", y)
                self.assertEqual(self.results(), before, "typing alone changed the results")
                self.press("IDC_CALC", "Calc.")
                self.assertEqual(self.results(), results)
                self.assertEqual(self.text("IDC_TARGET_WHITE_X"), x, "Calc. rewrote an input")

    def test_load_and_reload_through_the_file_input(self):
        profile, gray = pathlib.Path(PROFILE), pathlib.Path(GRAY)
        gone = pathlib.Path(self.tmp.name, "gone.icc")
        gone.write_bytes(profile.read_bytes())
        truncated = pathlib.Path(self.tmp.name, "truncated.icc")
        truncated.write_bytes(profile.read_bytes()[:200])
        # Before each action 1003 and the target x are typed, without Calc.,
        # so that a recalculation would show. An applied load must leave the
        # fields as the companion shows them after the same steps; anything
        # else must change no field.
        cases = [  # typed 1003, typed 1010, action, file chosen by it, applied
            ("0.640", "0.3000", "Reload", None, False),
            ("0.640", "0.3000", "Load", None, False),  # the chooser is cancelled
            ("0.640", "0.2831", "choose", profile, True),
            ("0.5", "0.3000", "Reload", None, True),   # 1003 restored, 1010 kept
            ("0.5", "0.2831", "Load", None, True),     # a cancel re-reads the file
            ("0.5", "0.3000", "choose", gray, False),
            ("0.5", "0.2831", "choose", truncated, False),
            ("0.5", "0.3000", "choose", gone, True),
            ("0.4", "0.2831", "vanish", None, False),
        ]
        steps, chosen = [], None
        for red_x, target_x, action, path, applied in cases:
            with self.subTest(action=action, file=path and path.name, red_x=red_x):
                self.type("IDC_RED_X", red_x)
                self.type("IDC_TARGET_WHITE_X", target_x)
                steps += ["--set", f"1003={red_x}", "--set", f"1010={target_x}"]
                chosen = path or chosen
                before = field_texts(self.driver)
                if action == "choose":
                    self.choose(path, f"choosing {path.name}")
                elif action == "vanish":
                    gone.unlink()
                    self.press("IDC_RELOAD", "Reload of a vanished file")
                else:
                    self.press(f"IDC_{action.upper()}", action)
                if applied:
                    steps += ["--profile", str(chosen)]
                    self.assertEqual(field_texts(self.driver), cli_fields(*steps))
                else:
                    self.assertEqual(field_texts(self.driver), before)

    def test_an_edid_from_a_file_or_pasted_sets_the_reference_side(self):
        close_to_srgb = [655, 338, 307, 614, 154, 61, 320, 337]
        monitor = build_edid(close_to_srgb, 0x78)
        pairs = [f"{b:02x}" for b in monitor]
        dump = "EDID:\n" + "\n".join(" ".join(pairs[i:i + 16]) for i in range(0, 128, 16)) + "\n"
        files = {  # name => bytes
            "monitor.bin": monitor,
            "damaged.bin": build_edid(close_to_srgb, 0x78, checksum_fixed=False),
            # The largest an EDID can be (255 extension blocks), and one byte more.
            "largest.bin": monitor + bytes(32768 - 128),
            "too-large.bin": monitor + bytes(32769 - 128),
        }
        for name, data in files.items():
            pathlib.Path(self.tmp.name, name).write_bytes(data)
        # Before each action 1003 and the target x are typed, without Calc., so
        # that a recalculation would show. Applied, the fields must be as the
        # companion shows them after the same steps with monitor.bin; refused,
        # no field may change. The status line says which.
        applied = "a monitor by ???: set white, red, green, blue and gamma to the maker's nominal values"  # its maker's letters are 0
        cases = [  # typed 1003, typed 1010, action, file chosen or text pasted, status (None: as it was)
            ("0.5", "0.2831", "choose", "monitor.bin", f"monitor.bin: {applied}"),
            ("0.5", "0.3000", "paste", dump, f"Pasted text: {applied}"),
            ("0.5", "0.2831", "choose", "largest.bin", f"largest.bin: {applied}"),
            ("0.4", "0.3000", "choose", "damaged.bin",
             "damaged.bin: damaged EDID: the base block sums to 0x01, not 0"),
            ("0.4", "0.3000", "choose", "too-large.bin",
             "too-large.bin: too large to be an EDID: over 32768 bytes"),
            ("0.4", "0.3000", "paste", "",
             "Pasted text: too short to be an EDID: 0 bytes, fewer than 128"),
            # A character beyond 8 bits reaches the core as "?".
            ("0.4", "0.3000", "paste", dump.replace("ff", "\u03a9f", 1),
             'Pasted text: neither an EDID nor its hex text: "?" at offset 9'),
            ("0.4", "0.3000", "press", "source-load", None),  # the chooser is cancelled
        ]
        steps = []
        self.driver.execute_script("document.getElementById('source-chooser').addEventListener("
                                   "'click', () => { window.edidChooserOpened = true; })")
        for red_x, target_x, action, what, status in cases:
            with self.subTest(action=action, what=what[:24]):
                self.type("IDC_RED_X", red_x)
                self.type("IDC_TARGET_WHITE_X", target_x)
                steps += ["--set", f"1003={red_x}", "--set", f"1010={target_x}"]
                before = field_texts(self.driver)
                status = self.element("load-status").text if status is None else status
                if action == "choose":
                    self.element("source-chooser").send_keys(str(pathlib.Path(self.tmp.name, what)))
                    wait_idle(self.driver, f"choosing {what}")
                elif action == "paste":
                    self.paste("source-text", what)
                    self.press("source-apply", "Apply")
                else:
                    self.press(what, "EDID... cancelled")
                    self.assertTrue(self.driver.execute_script("return window.edidChooserOpened"))
                self.assertEqual(self.element("load-status").text, status)
                if status.endswith(applied):
                    steps += ["--edid", str(pathlib.Path(self.tmp.name, "monitor.bin"))]
                    self.assertEqual(field_texts(self.driver), cli_fields(*steps))
                else:
                    self.assertEqual(field_texts(self.driver), before)

    def test_enter_and_escape_do_nothing(self):
        self.type("IDC_TARGET_WHITE_X", "0.2831")
        before = field_texts(self.driver)
        for id in ["IDC_REF_WHITE_X", "IDC_TARGET_WHITE_X", "IDC_GAMMA", "IDC_BAL_RED", "IDC_CALC"]:
            for name, key in [("Enter", Keys.ENTER), ("Escape", Keys.ESCAPE)]:
                if id == "IDC_CALC" and name == "Enter":
                    continue  # Enter presses a focused button, as on Windows
                with self.subTest(focus=id, key=name):
                    self.driver.execute_script("document.getElementById(arguments[0]).focus()", id)
                    self.keys(key)
                    wait_idle(self.driver, f"{name} in {id}")
                    self.assertEqual(field_texts(self.driver), before)
                    self.assertTrue(self.element("IDD_MAIN").is_displayed())

    def test_tab_visits_the_fields_then_the_buttons_then_the_first_step(self):
        walk = [name for name, _ in cli_fields()][1:] + [
            "IDC_LOAD", "IDC_RELOAD", "IDC_CALC", "IDC_CLOSE", "source-load", "source-text", "source-apply"]
        seen = []
        for _ in walk:
            self.keys(Keys.TAB)
            seen.append(self.focused())
        self.assertEqual(seen, walk)

    def test_close_ends_the_dialog(self):
        for closer in ["IDC_CLOSE", "caption-close"]:
            with self.subTest(closer=closer):
                open_page(self.driver, page_url(PAGE))
                self.press(closer, "Close")
                self.assertEqual(self.driver.find_elements(By.CSS_SELECTOR, "[id^=IDC_], #IDD_MAIN"), [])
                self.assertTrue(self.element("closed-note").is_displayed())

    def test_every_control_stands_at_its_template_rectangle(self):
        # The Windows template, control by control: text, identifier, kind, x, y, width, height.
        pattern = r'CONTROL\s+"([^"]*)",\s*(\w+),\s*\w+,\s*(\w+),\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+)'
        template = re.findall(pattern, TEMPLATE.read_text())
        self.assertEqual(len(template), 45)
        kinds = {"LEFT_LABEL": ("SPAN", "left"), "CENTRE_LABEL": ("SPAN", "center"),
                 "INPUT_EDIT": ("INPUT", "center"), "RESULT_EDIT": ("INPUT", "center"),
                 "PUSH_BUTTON": ("BUTTON", "center")}
        page = self.driver.execute_script("""
            const client = document.getElementById('dialog-client');
            const style = getComputedStyle(client);
            const context = document.createElement('canvas').getContext('2d');
            context.font = style.fontSize + ' ' + style.fontFamily;
            const m = context.measureText('ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz');
            const origin = client.getBoundingClientRect();
            return {
                width: Math.round(m.width),
                height: Math.round(m.fontBoundingBoxAscent + m.fontBoundingBoxDescent),
                client: [origin.width, origin.height],
                controls: [...client.children].map(e => {
                    const r = e.getBoundingClientRect();
                    return [e.tagName, e.id, e.tagName === 'INPUT' ? '' : e.textContent, e.readOnly === true,
                            getComputedStyle(e).textAlign, r.left - origin.left, r.top - origin.top,
                            r.width, r.height];
                }),
            };""")
        bx, by = (page["width"] // 26 + 1) // 2, page["height"]
        self.assertEqual(page["client"], [208 * bx / 4, 112 * by / 8], "client area")
        self.assertEqual(len(page["controls"]), 45)
        for (text, id, kind, *rect), got in zip(template, page["controls"]):
            with self.subTest(control=f"{id} {text!r} at {rect}"):
                x, y, w, h = map(int, rect)
                tag, align = kinds[kind]
                self.assertEqual(got[:5], [tag, "" if id == "IDC_STATIC" else id, text,
                                           kind == "RESULT_EDIT", align])
                for want, seen in zip([x * bx / 4, y * by / 8, w * bx / 4, h * by / 8], got[5:]):
                    self.assertLessEqual(abs(want - seen), 1, f"rectangle {got[5:]}")

    def chart_point(self, x, y):
        """Where (x, y) is on the screen, by the diagram's own mapping."""
        return self.driver.execute_script(
            "const p = new DOMPoint(arguments[0], arguments[1]).matrixTransform("
            "document.getElementById('diagram-plot').getScreenCTM()); return [p.x, p.y]", x, y)

    def marks(self):
        """Each diagram mark's centre on the screen, or None where it is not drawn."""
        return self.driver.execute_script("""
            return [...document.querySelectorAll('#diagram-marks circle')].map(c => {
                if (getComputedStyle(c).display === 'none') return null;
                const r = c.getBoundingClientRect();
                return [r.left + r.width / 2, r.top + r.height / 2];
            });""")

    def assertMarksAt(self, points, step):
        for want, got in zip(points, self.marks()):
            if want is None or got is None:
                self.assertEqual(got, None if want is None else self.chart_point(*want), step)
            else:
                here = self.chart_point(*want)
                self.assertLessEqual(max(abs(here[0] - got[0]), abs(here[1] - got[1])), 0.5, step)

    def test_diagram_shows_the_fields_after_each_calculation(self):
        primaries = [(0.64, 0.33), (0.3, 0.6), (0.15, 0.06)]
        self.assertMarksAt(primaries + [(0.3127, 0.329), (0.3127, 0.329)], "on opening")
        cases = [  # target x, y => where the target is drawn (None: not drawn)
            ("0.2831", "0.2971", (0.2831, 0.2971)),
            ("2", "0.3", None),          # off the chart
            ("1e999", "0.3", None),      # infinite
            ("0.7", "0.3", (0.7, 0.3)),  # outside the gamut: results not a number, point drawn
        ]
        for x, y, at in cases:
            with self.subTest(x=x, y=y):
                before = self.marks()
                self.type("IDC_TARGET_WHITE_X", x)
                self.type("IDC_TARGET_WHITE_Y", y)
                self.assertEqual(self.marks(), before, "typing alone moved a point")
                self.press("IDC_CALC", "Calc.")
                self.assertMarksAt(primaries + [(0.3127, 0.329), at], "after Calc.")
        self.type("IDC_GREEN_X", "nan")  # reads as 0.0: still on the chart
        self.type("IDC_BLUE_Y", "-0.5")
        self.press("IDC_CALC", "Calc.")
        self.assertMarksAt([(0.64, 0.33), (0.0, 0.6), None], "primaries changed")
        self.assertFalse(self.element("diagram-marks").find_element(By.TAG_NAME, "polygon").is_displayed(),
                         "triangle with a corner off the chart")

    def test_a_click_or_the_keyboard_in_the_diagram_types_the_target_and_calculates(self):
        svg = self.element("chromaticity-diagram")
        cases = [  # clicked (x, y), or keys pressed on the diagram from the target white
            ((0.3, 0.3), None),
            ((0.45, 0.41), None),
            ((0.2, 0.7), None),
            ((0.3137, 0.3390), [Keys.ARROW_RIGHT, Keys.SHIFT, Keys.ARROW_UP, Keys.SHIFT, Keys.ENTER]),
        ]
        for (x, y), keys in cases:
            with self.subTest(x=x, y=y, keyboard=keys is not None):
                if keys:
                    self.driver.execute_script("arguments[0].focus()", svg)
                    self.keys(*keys)
                else:
                    self.driver.execute_script("arguments[0].scrollIntoView({block: 'center'})", svg)
                    px, py = self.chart_point(x, y)
                    box = self.driver.execute_script("return arguments[0].getBoundingClientRect().toJSON()", svg)
                    ActionChains(self.driver).move_to_element_with_offset(
                        svg, round(px - box["x"] - box["width"] / 2),
                        round(py - box["y"] - box["height"] / 2)).click().perform()
                wait_idle(self.driver, "after the click or the keys")
                tx, ty = self.text("IDC_TARGET_WHITE_X"), self.text("IDC_TARGET_WHITE_Y")
                self.assertRegex(f"{tx} {ty}", r"^0\.\d{4} 0\.\d{4}$")
                self.assertAlmostEqual(float(tx), x, delta=0 if keys else 0.005)
                self.assertAlmostEqual(float(ty), y, delta=0 if keys else 0.005)
                self.assertEqual(self.results(), [t for _, t in cli_fields("--target", f"{tx},{ty}")][11:])
                self.type("IDC_TARGET_WHITE_X", "0.3127")  # the next keyboard case starts from D65
                self.type("IDC_TARGET_WHITE_Y", "0.3290")
                self.press("IDC_CALC", "Calc.")


if __name__ == "__main__":
    unittest.main(verbosity=2)
