"""The page as people use it, in headless Chromium: the status line after
every load, phones and narrow windows, keyboards and screen readers (with
axe-core from npm, installed under build/ at test time), the diagram's
manners, forced colours and a fallback face. As in page_test.py, no test may
see a network request other than file:// or data:, or a console error."""
import os
import pathlib
import random
import struct
import subprocess
import sys
import tempfile
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

sys.dont_write_bytecode = True  # nothing written beside the sources
from browser import (PageCase, console_errors, emulate_phone, field_texts, open_page, page_url,
                     start_browser, stop_browser, wait_idle)
from page_test import CLI, PAGE, ROOT, build_edid, cli_fields

GRAY = "/usr/share/color/icc/Gray.icc"
BLUISH = "/usr/share/color/icc/colord/Bluish.icc"
AXE_DIR = ROOT / "build/test-npm"
AXE = AXE_DIR / "node_modules/axe-core/axe.min.js"


def s15(value):
    return struct.pack(">i", round(value * 65536))


def build_profile(tags):
    """An RGB display profile with the given (signature, data) tags."""
    table, data = b"", b""
    offset = 132 + 12 * len(tags)
    for signature, body in tags:
        table += signature.encode() + struct.pack(">II", offset + len(data), len(body))
        data += body + bytes(-len(body) % 4)
    header = bytearray(128)
    header[8:10] = b"\x02\x10"
    header[12:24] = b"mntrRGB XYZ "
    header[36:40] = b"acsp"
    header[68:80] = s15(0.9642) + s15(1.0) + s15(0.8249)
    profile = bytes(header) + struct.pack(">I", len(tags)) + table + data
    return struct.pack(">I", len(profile)) + profile[4:]


def xyz(x, y, z):
    return b"XYZ " + bytes(4) + s15(x) + s15(y) + s15(z)


# sRGB's tone curve as the ICC's formula 3: g, a, b, c, d.
SRGB_CURVE = b"para" + bytes(4) + struct.pack(">HH", 3, 0) + b"".join(
    s15(v) for v in (2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045))
SINGLE_GAMMA = b"curv" + bytes(4) + struct.pack(">IHH", 1, 0x0233, 0) + bytes(len(SRGB_CURVE) - 16)
PARAMETRIC_PROFILE = build_profile([
    ("wtpt", xyz(0.9642, 1.0, 0.8249)), ("rXYZ", xyz(0.4361, 0.2225, 0.0139)),
    ("gXYZ", xyz(0.3851, 0.7169, 0.0971)), ("bXYZ", xyz(0.1431, 0.0606, 0.7141)), ("gTRC", SRGB_CURVE)])


def with_monitor(block, manufacturer, name):
    """The block with a maker's three letters and a monitor name descriptor
    in the first slot, its checksum fixed again."""
    block = bytearray(block)
    code = 0
    for letter in manufacturer:
        code = code << 5 | (ord(letter) - ord("A") + 1)
    block[8:10] = struct.pack(">H", code)
    block[54:72] = bytes([0, 0, 0, 0xFC, 0]) + (name + "\n").encode().ljust(13, b" ")
    block[127] = -sum(block[:127]) % 256
    return bytes(block)


def edid_decode_dump(block):
    """What edid-decode prints for a block: its label, the hex, a line of
    dashes and the decoded text."""
    lines = [" ".join(f"{b:02x}" for b in block[i:i + 16]) for i in range(0, len(block), 16)]
    return ("edid-decode (hex):\n\n" + "\n".join(lines) + "\n\n----------------\n\n"
            "Block 0, Base EDID:\n  EDID Structure Version & Revision: 1.4\n  Gamma: 2.20\n")


def companion_reason(path):
    """The companion's words for a refused profile, without its file name."""
    run = subprocess.run(CLI + ["--profile", str(path)], capture_output=True, text=True)
    assert run.returncode == 1, run
    return run.stderr.strip().split(f"{path}: ", 1)[1]


def ensure_axe():
    if not AXE.exists():
        subprocess.run(["npm", "install", "--no-audit", "--no-fund", "--prefix", str(AXE_DIR), "axe-core@4"],
                       check=True, capture_output=True)
    return AXE.read_text()


class PageInUse(PageCase):
    page = PAGE
    width, height = 1366, 768

    def status(self):
        return self.element("load-status").text

    def file(self, name, data):
        path = pathlib.Path(self.tmp.name, name)
        path.write_bytes(data)
        return path

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def test_every_load_tells_in_the_status_line_what_it_did(self):
        random.seed(17)
        gray = pathlib.Path(GRAY)
        truncated = self.file("truncated.icc", pathlib.Path(BLUISH).read_bytes()[:200])
        noise = self.file("noise.icc", random.randbytes(5 * 1024 * 1024))
        parametric = self.file("parametric.icc", PARAMETRIC_PROFILE)
        single = self.file("single.icc", PARAMETRIC_PROFILE.replace(SRGB_CURVE, SINGLE_GAMMA))
        dell = with_monitor(build_edid([655, 338, 307, 614, 154, 61, 320, 337], 0x78), "DEL", "DELL U2412M")
        probe = self.file("probe.txt", ("EDID (hex):\n" + dell.hex() + "\nDecoded: \u00b5\n").encode())
        all_set = "set white, red, green, blue and gamma"
        nominal = f"{all_set} to the maker's nominal values"
        cases = [  # how, file or text, status (None: the companion's reason for the file)
            ("profile", gray, None),
            ("profile", truncated, None),
            ("profile", noise, None),
            ("profile", parametric, "parametric.icc: set white, red, green and blue; gamma kept: the green "
             "curve is not a single gamma (its best power law from 10 % to 90 % signal has gamma 2.23)"),
            ("profile", single, f"single.icc: {all_set}"),
            ("paste", edid_decode_dump(dell), f'Pasted text: monitor "DELL U2412M" by DEL: {nominal}'),
            ("edid", probe, f'probe.txt: monitor "DELL U2412M" by DEL: {nominal}'),
        ]
        for how, what, status in cases:
            with self.subTest(how=how, what=getattr(what, "name", "dump")):
                before = field_texts(self.driver)
                if how == "profile":
                    self.element("profile-chooser").send_keys(str(what))
                elif how == "edid":
                    self.element("source-chooser").send_keys(str(what))
                else:
                    self.paste("source-text", what)
                    self.element("source-apply").click()
                wait_idle(self.driver, f"loading {how}")
                if status is None:
                    self.assertEqual(self.status(), f"{what.name}: {companion_reason(what)}")
                    self.assertEqual(field_texts(self.driver), before)
                else:
                    self.assertEqual(self.status(), status)
        # The companion reads both EDID texts to the same fields as the page.
        dump = self.file("dump.txt", edid_decode_dump(dell).encode())
        self.assertEqual(field_texts(self.driver), cli_fields("--edid", str(dump)))
        self.assertEqual(field_texts(self.driver), cli_fields("--edid", str(probe)))
        # Kept by a Calc. with nothing typed, cleared by the first after an edit.
        status = self.status()
        self.press("IDC_CALC", "Calc. untouched")
        self.assertEqual(self.status(), status)
        self.type("IDC_TARGET_WHITE_X", "0.3")
        self.assertEqual(self.status(), status)
        self.press("IDC_CALC", "Calc. after an edit")
        self.assertEqual(self.status(), "")

    def test_keyboard_and_screen_reader_see_what_the_eye_sees(self):
        # The outline: the title, then the three steps in order.
        self.assertEqual(self.js("return [...document.querySelectorAll('h1,h2,h3,h4,h5,h6')]"
                                 ".map(h => `${h.tagName} ${h.textContent}`)"),
                         ["H1 Tintmend", "H2 1 Your display", "H2 2 The white you want", "H2 3 Set it"])
        self.assertEqual(self.js("return [...document.querySelectorAll('#IDD_MAIN input')]"
                                 ".map(e => e.readOnly ? '' : e.inputMode).join()"), "decimal," * 11 + ",,")
        # A click in a field shows where the focus is.
        self.element("IDC_GAMMA").click()
        outline = self.js("const s = getComputedStyle(document.activeElement); return [s.outlineStyle, s.outlineWidth]")
        self.assertNotEqual(outline[0], "none")
        self.assertNotEqual(outline[1], "0px")
        # So does every stop of the keyboard's walk.
        self.js("document.getElementById('IDC_REF_WHITE_X').focus()")
        for step in range(22):
            if step:
                ActionChains(self.driver).send_keys(Keys.TAB).perform()
            with self.subTest(focus=self.js("return document.activeElement.id")):
                self.assertTrue(self.js("const s = getComputedStyle(document.activeElement); return "
                                        "(s.outlineStyle !== 'none' && s.outlineWidth !== '0px') || s.boxShadow !== 'none'"))
        # The results, told after each Calc.
        region = self.element("results-announcement")
        self.assertEqual(region.get_attribute("aria-live"), "polite")
        self.type("IDC_TARGET_WHITE_X", "0.2831")
        self.type("IDC_TARGET_WHITE_Y", "0.2971")
        self.press("IDC_CALC", "Calc.")
        self.assertEqual(region.get_attribute("textContent"), "New balance: red 0.81081, green 0.87909, blue 1.00000")
        # The diagram: a named control whose value is the cursor's chromaticity.
        svg = self.element("chromaticity-diagram")
        self.assertEqual((svg.get_attribute("role"), bool(svg.get_attribute("aria-label"))), ("slider", True))
        self.assertEqual(svg.get_attribute("aria-valuetext"), "x 0.2831, y 0.2971")
        self.js("document.getElementById('whites-set').focus()")  # the next Tab reaches the diagram
        ActionChains(self.driver).send_keys(Keys.TAB, Keys.ARROW_RIGHT, Keys.ARROW_UP).perform()
        self.assertEqual(svg.get_attribute("aria-valuetext"), "x 0.2841, y 0.2981")

    def test_axe_core_finds_no_violation_at_either_size(self):
        axe = ensure_axe()
        for width, height, phone in [(1366, 768, False), (390, 844, True)]:
            with self.subTest(size=f"{width}x{height}"):
                if phone:
                    emulate_phone(self.driver, width, height)
                    open_page(self.driver, page_url(PAGE))
                self.js(axe)
                self.driver.set_script_timeout(60)
                violations = self.driver.execute_async_script(
                    "const done = arguments[0]; axe.run(document).then(r => done(r.violations.map("
                    "v => [v.id, v.nodes.map(n => n.target.join(' '))])))")
                self.assertEqual(violations, [])
        self.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})

    def test_narrow_windows_show_every_control_without_scrolling_sideways(self):
        for width, height in [(320, 640), (390, 844)]:
            with self.subTest(width=width):
                emulate_phone(self.driver, width, height)
                open_page(self.driver, page_url(PAGE))
                page = self.js("""
                    const dialog = document.getElementById('IDD_MAIN');
                    const scale = dialog.getBoundingClientRect().width / dialog.offsetWidth;
                    const controls = [...dialog.querySelectorAll('.client > *, .caption *'),
                                      ...document.querySelectorAll('.steps *')]
                        .filter(e => e.getClientRects().length > 0 && getComputedStyle(e).display !== 'none');
                    return {
                        scroll: [document.documentElement.scrollWidth, innerWidth],
                        outside: controls.filter(e => {
                            const r = e.getBoundingClientRect();
                            return r.left < 0 || r.right > innerWidth + 0.5;
                        }).map(e => e.id || e.tagName + ' ' + e.textContent.slice(0, 12)),
                        smallest: Math.min(...[...dialog.querySelectorAll('.client > *')]
                            .map(e => parseFloat(getComputedStyle(e).fontSize) * scale)),
                        stacked: document.getElementById('chromaticity-diagram').getBoundingClientRect().top
                            >= dialog.getBoundingClientRect().bottom,
                    };""")
                self.assertEqual(page["scroll"], [width, width])
                self.assertEqual(page["outside"], [])
                self.assertGreaterEqual(page["smallest"], 9)
                self.assertTrue(page["stacked"])
        self.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})

    def labels_on_locus(self):
        """Labels of the primaries whose box holds a point of the locus line."""
        return self.js("""
            const locus = document.querySelector('#chromaticity-diagram .locus');
            const m = locus.getScreenCTM();
            const points = [];
            for (let at = 0; at < locus.getTotalLength(); at += 1) {
                points.push(locus.getPointAtLength(at).matrixTransform(m));
            }
            return [...document.querySelectorAll('#diagram-labels text.primary')].filter(label => {
                const r = label.getBoundingClientRect();
                return points.some(p => p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom);
            }).map(label => label.textContent);""")

    def test_diagram_labels_pointer_and_cursor(self):
        svg = self.element("chromaticity-diagram")
        cases = [  # red, green and blue primaries typed before Calc.
            ("0.640", "0.330", "0.300", "0.600", "0.150", "0.060"),  # sRGB
            ("0.640", "0.330", "0.210", "0.710", "0.150", "0.060"),  # Adobe RGB
            ("0.708", "0.292", "0.170", "0.797", "0.131", "0.046"),  # BT.2020, on the locus
        ]
        ids = ["IDC_RED_X", "IDC_RED_Y", "IDC_GREEN_X", "IDC_GREEN_Y", "IDC_BLUE_X", "IDC_BLUE_Y"]
        for texts in cases:
            with self.subTest(primaries=texts):
                for id, text in zip(ids, texts):
                    self.type(id, text)
                self.press("IDC_CALC", "Calc.")
                self.assertEqual(self.labels_on_locus(), [])
        style = self.js("const s = getComputedStyle(arguments[0]); return [s.cursor, s.userSelect]", svg)
        self.assertEqual(style, ["pointer", "none"])
        # The readout follows the pointer; a click leaves no keyboard cursor.
        point = self.js("const p = new DOMPoint(0.3, 0.3).matrixTransform("
                        "document.getElementById('diagram-plot').getScreenCTM()); return [p.x, p.y]")
        box = svg.rect
        self.js("arguments[0].focus()", svg)
        ActionChains(self.driver).send_keys(Keys.ARROW_LEFT).perform()
        ActionChains(self.driver).move_to_element_with_offset(
            svg, round(point[0] - box["x"] - box["width"] / 2), round(point[1] - box["y"] - box["height"] / 2)).perform()
        x, y = (float(v) for v in self.element("diagram-readout").text.replace("x ", "").split(", y "))
        self.assertLess(max(abs(x - 0.3), abs(y - 0.3)), 0.005)
        ActionChains(self.driver).click().perform()
        wait_idle(self.driver, "a click in the diagram")
        cursor = self.driver.find_element(By.CSS_SELECTOR, "#diagram-marks .cursor")
        self.assertFalse(cursor.is_displayed(), "crosshair left after the click")

    def test_forced_colours_draw_the_diagram_in_system_colours(self):
        self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia",
                                    {"features": [{"name": "forced-colors", "value": "active"}]})
        try:
            open_page(self.driver, page_url(PAGE))
            seen = self.js("""
                const probe = document.createElement('span');
                probe.style.color = 'CanvasText';
                probe.style.backgroundColor = 'Canvas';
                document.body.append(probe);
                const system = getComputedStyle(probe);
                const q = (s) => getComputedStyle(document.querySelector(s));
                const out = {
                    text: system.color, canvas: system.backgroundColor,
                    locus: q('.locus').stroke, ring: q('circle.white').stroke,
                    label: q('#diagram-labels text.primary').fill, tick: q('.ticks text').fill,
                };
                probe.remove();
                return out;""")
        finally:
            self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})
        self.assertNotEqual(seen["text"], seen["canvas"])
        self.assertEqual({k: seen[k] for k in ("locus", "ring", "label", "tick")},
                         dict.fromkeys(("locus", "ring", "label", "tick"), seen["text"]))


class DialogTemplate(unittest.TestCase):
    """The page's dialog is made from the resource script at build time: an
    edit there reaches the page; a statement the page cannot draw stops the
    build."""

    def make(self, rc_text):
        with tempfile.TemporaryDirectory(prefix="tintmend-rc-") as tmp:
            rc, out = pathlib.Path(tmp, "tintmend.rc"), pathlib.Path(tmp, "dialog_template.js")
            rc.write_text(rc_text)
            run = subprocess.run(["node", str(ROOT / "web/tools/make_dialog_template.mjs"), str(rc),
                                  str(ROOT / "form/field_ids.h"), str(ROOT / "ui/resource.h"), str(out)],
                                 capture_output=True, text=True)
            return run.returncode, out.read_text() if out.exists() else run.stderr

    def test_an_edit_to_the_template_reaches_the_page(self):
        rc = (ROOT / "ui/tintmend.rc").read_text()
        gamma = 'CONTROL "Gamma",      IDC_STATIC,         STATIC_CLASS, LEFT_LABEL,     4, 82, 24,  9, LABEL_EX'
        self.assertIn(gamma, rc)
        cases = [  # edited line => exit status, text expected in the output
            (gamma, 0, '["left","","Gamma",4,82,24,9]'),
            (gamma.replace('"Gamma"', '"Gam."').replace("24,", "30,"), 0, '["left","","Gam.",4,82,30,9]'),
            (gamma.replace("IDC_STATIC", "IDC_NOWHERE"), 1, "unknown identifier IDC_NOWHERE"),
            (gamma.replace("LEFT_LABEL", "SS_LEFT"), 1, "unknown style SS_LEFT"),
            ('LTEXT "Gamma", -1, 4, 82, 24, 9', 1, 'cannot read the control "LTEXT'),
        ]
        for line, status, expected in cases:
            with self.subTest(line=line[:40]):
                code, text = self.make(rc.replace(gamma, line))
                self.assertEqual(code, status)
                self.assertIn(expected, text)


class WithoutJapaneseFace(unittest.TestCase):
    """The static texts in the face Chromium falls back to when no Japanese
    Gothic face is installed: none clipped."""

    def test_no_static_text_is_clipped(self):
        with tempfile.TemporaryDirectory(prefix="tintmend-fonts-") as tmp:
            conf = pathlib.Path(tmp, "fonts.conf")
            conf.write_text("""<?xml version="1.0"?><!DOCTYPE fontconfig SYSTEM "fonts.dtd"><fontconfig>
<include ignore_missing="yes">/etc/fonts/fonts.conf</include>
<selectfont><rejectfont><glob>/usr/share/fonts/opentype/ipafont-gothic/*</glob>
<glob>/usr/share/fonts/truetype/fonts-japanese-gothic.ttf</glob></rejectfont></selectfont></fontconfig>""")
            driver = start_browser(env={**os.environ, "FONTCONFIG_FILE": str(conf)})
            try:
                open_page(driver, page_url(PAGE))
                texts = driver.execute_script("""
                    return [...document.querySelectorAll('#dialog-client > span')].map(e => [
                        e.textContent, e.scrollWidth <= e.clientWidth, parseFloat(getComputedStyle(e).fontSize)]);""")
                self.assertEqual(console_errors(driver), [])
            finally:
                stop_browser(driver)
        self.assertEqual([t for t, fits, _ in texts if not fits], [])
        # The face did change: some label needed a smaller size to fit.
        self.assertLess(min(size for _, _, size in texts), max(size for _, _, size in texts))


if __name__ == "__main__":
    unittest.main()
