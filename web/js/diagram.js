// The chromaticity diagram beside the dialog: the primaries' triangle and the
// two whites, drawn from the numbers the fields hold as the core reads them.
// A click, or Enter on the keyboard cursor, types a target white and presses
// Calc. To assistive technology it is a control whose value is the cursor's
// chromaticity; a readout under it shows the chromaticity under the pointer.
import { readFieldNumber } from "./core.js";
import { kIds } from "./dialog_template.js";

const kSvg = "http://www.w3.org/2000/svg";
// [fields of x and y, label, class, radius, label offset and anchor]; the
// primaries' labels are placed inside the gamut instead (placePrimaryLabel),
// and the reference white is a ring around the target, which often lies on it.
const kMarks = [
    ["IDC_RED_X", "IDC_RED_Y", "Red", "primary", 0.009],
    ["IDC_GREEN_X", "IDC_GREEN_Y", "Green", "primary", 0.009],
    ["IDC_BLUE_X", "IDC_BLUE_Y", "Blue", "primary", 0.009],
    ["IDC_REF_WHITE_X", "IDC_REF_WHITE_Y", "Reference", "white reference", 0.018, -8, -6, "end"],
    ["IDC_TARGET_WHITE_X", "IDC_TARGET_WHITE_Y", "Target", "white target", 0.009, 8, 14, "start"],
];
const kReferenceMark = 3;
const kTargetMark = 4;
const kCursorStep = 0.001;
// The slider's number: x in ten-thousandths (describeValue).
const kValueScale = 10000;
const kCursorBigStep = 0.01;
// How far a primary's label stands from its dot, toward the middle of the
// gamut, in the diagram's units; the label's font is about 10 of them high.
const kLabelGap = 7;
const kLabelAscent = 8;

let g_plot = null;
let g_plotToSvg = null;
// The chart's bounds, as the diagram's SVG states them.
let g_xMax = 0;
let g_yMax = 0;
let g_triangle = null;
let g_triangleShown = false;
let g_marks = [];
let g_cursor = null;
// Where the keyboard cursor is, or null while it is hidden.
let g_cursorAt = null;
let g_pick = null;
let g_svg = null;
let g_readout = null;

function makeSvg(parent, tag, attributes) {
    const element = document.createElementNS(kSvg, tag);
    for (const [name, value] of Object.entries(attributes)) element.setAttribute(name, value);
    parent.append(element);
    return element;
}

function isOnChart(x, y) {
    return Number.isFinite(x) && Number.isFinite(y) && x >= 0 && x <= g_xMax && y >= 0 && y <= g_yMax;
}

function show(element, visible) {
    element.style.display = visible ? "" : "none";
}

// A mark's dot and label appear and disappear together; unchanged, nothing is
// written.
function showMark(mark, visible) {
    if (mark.visible === visible) return;
    mark.visible = visible;
    show(mark.dot, visible);
    show(mark.label, visible);
}

function readPoint(mark) {
    return { x: readFieldNumber(mark.xField), y: readFieldNumber(mark.yField) };
}

function toSvg(x, y) {
    const m = g_plotToSvg;
    return { x: m.a * x + m.c * y + m.e, y: m.b * x + m.d * y + m.f };
}

function placeLabel(label, x, y, anchor) {
    label.x.baseVal.getItem(0).value = x;
    label.y.baseVal.getItem(0).value = y;
    if (label.getAttribute("text-anchor") !== anchor) label.setAttribute("text-anchor", anchor);
}

// A primary's label stands on the side of its dot that faces the middle of
// the gamut (taken as the reference white, or the chart's middle where that
// is off the chart): inside the triangle and so clear of the locus, which
// real primaries lie within.
function placePrimaryLabel(mark, at, middle) {
    const dot = toSvg(at.x, at.y);
    const towards = toSvg(middle.x, middle.y);
    const dx = towards.x - dot.x;
    const dy = towards.y - dot.y;
    const length = Math.hypot(dx, dy) || 1;
    const ux = dx / length;
    const uy = dy / length;
    const anchor = ux < -0.5 ? "end" : ux > 0.5 ? "start" : "middle";
    // Below the dot the text hangs from the gap, above it stands on it.
    const baseline = uy > 0.5 ? kLabelAscent : uy < -0.5 ? 0 : kLabelAscent / 2;
    placeLabel(mark.label, dot.x + ux * kLabelGap, dot.y + uy * kLabelGap + baseline, anchor);
}

// Through the SVG DOM's own values rather than attribute text: the diagram
// is redrawn after every calculation.
export function redrawDiagram() {
    let corners = 0;
    const reference = readPoint(g_marks[kReferenceMark]);
    const middle = isOnChart(reference.x, reference.y) ? reference : { x: g_xMax / 2, y: g_yMax / 2 };
    for (const mark of g_marks) {
        const at = readPoint(mark);
        const visible = isOnChart(at.x, at.y);
        showMark(mark, visible);
        if (!visible) continue;
        mark.dot.cx.baseVal.value = at.x;
        mark.dot.cy.baseVal.value = at.y;
        if (mark.corner) {
            placePrimaryLabel(mark, at, middle);
            const corner = g_triangle.points.getItem(corners++);
            corner.x = at.x;
            corner.y = at.y;
        } else {
            const p = toSvg(at.x, at.y);
            placeLabel(mark.label, p.x + mark.dx, p.y + mark.dy, mark.anchor);
        }
    }
    if (g_triangleShown !== (corners === 3)) {
        g_triangleShown = corners === 3;
        show(g_triangle, g_triangleShown);
    }
    if (!g_cursorAt) describeValue(readPoint(g_marks[kTargetMark]));
}

function chromaticityText(at) {
    return `x ${at.x.toFixed(4)}, y ${at.y.toFixed(4)}`;
}

// The control's value: the cursor's chromaticity, or the target white's
// while the cursor is hidden, with four decimals as typed. Its number is x in
// ten-thousandths, a whole number: a fraction would be told as the single
// precision float an accessibility tree keeps (0.32269999384880066).
function describeValue(at) {
    const known = Number.isFinite(at.x) && Number.isFinite(at.y);
    g_svg.setAttribute("aria-valuetext", known ? chromaticityText(at) : "off the chart");
    g_svg.setAttribute("aria-valuenow", known ? `${Math.round(at.x * kValueScale)}` : "0");
}

function moveCursor(x, y) {
    g_cursorAt = { x: Math.min(Math.max(x, 0), g_xMax), y: Math.min(Math.max(y, 0), g_yMax) };
    g_cursor.setAttribute("transform", `translate(${g_cursorAt.x} ${g_cursorAt.y})`);
    show(g_cursor, true);
    describeValue(g_cursorAt);
}

function hideCursor() {
    g_cursorAt = null;
    show(g_cursor, false);
    describeValue(readPoint(g_marks[kTargetMark]));
}

// The cursor starts on the target white, or the chart's middle.
function startCursor() {
    const at = readPoint(g_marks[kTargetMark]);
    if (isOnChart(at.x, at.y)) moveCursor(at.x, at.y);
    else moveCursor(g_xMax / 2, g_yMax / 2);
}

// The keyboard's way in: the cursor starts on the target white (or the
// chart's middle), the arrows move it and Enter or Space types it in.
function onKey(event) {
    const step = event.shiftKey ? kCursorBigStep : kCursorStep;
    const moves = { ArrowLeft: [-step, 0], ArrowRight: [step, 0], ArrowUp: [0, step], ArrowDown: [0, -step] };
    const acts = event.key in moves || event.key === "Enter" || event.key === " ";
    if (acts && !g_cursorAt) startCursor();
    if (event.key in moves) {
        moveCursor(g_cursorAt.x + moves[event.key][0], g_cursorAt.y + moves[event.key][1]);
    } else if (event.key === "Enter" || event.key === " ") {
        g_pick(g_cursorAt.x, g_cursorAt.y);
    } else {
        return;
    }
    event.preventDefault();
}

// Only a keyboard's focus shows the cursor: after a click it would stand at
// the old target.
function onFocus() {
    if (g_svg.matches(":focus-visible")) startCursor();
}

function chartPointAt(event) {
    return new DOMPoint(event.clientX, event.clientY).matrixTransform(g_plot.getScreenCTM().inverse());
}

function onClick(event) {
    const at = chartPointAt(event);
    hideCursor();
    if (isOnChart(at.x, at.y)) g_pick(at.x, at.y);
}

function onPointerMove(event) {
    const at = chartPointAt(event);
    g_readout.textContent = isOnChart(at.x, at.y) ? chromaticityText(at) : "";
}

// pick(x, y) is what a chosen chromaticity does; readout shows the
// chromaticity under the pointer.
export function setUpDiagram(svg, readout, pick) {
    g_pick = pick;
    g_svg = svg;
    g_readout = readout;
    g_plot = svg.getElementById("diagram-plot");
    g_xMax = Number(g_plot.dataset.xMax);
    g_yMax = Number(g_plot.dataset.yMax);
    // From chromaticity to the diagram's own units, where the labels go.
    g_plotToSvg = svg.getScreenCTM().inverse().multiply(g_plot.getScreenCTM());
    const marks = svg.getElementById("diagram-marks");
    const labels = svg.getElementById("diagram-labels");
    g_triangle = makeSvg(marks, "polygon", { class: "gamut", points: "0,0 0,0 0,0" });
    g_marks = kMarks.map(([xName, yName, text, kind, r, dx, dy, anchor]) => {
        const dot = makeSvg(marks, "circle", { class: kind, r });
        const label = makeSvg(labels, "text", { class: kind, "text-anchor": anchor || "middle", x: 0, y: 0 });
        label.textContent = text;
        const mark = { xField: kIds[xName], yField: kIds[yName], dot, label, dx, dy, anchor,
            corner: kind === "primary", visible: true };
        showMark(mark, false);
        return mark;
    });
    g_cursor = makeSvg(marks, "path", { class: "cursor", d: "M-0.02 0H0.02M0 -0.02V0.02" });
    show(g_triangle, false);
    show(g_cursor, false);
    svg.addEventListener("click", onClick);
    svg.addEventListener("focus", onFocus);
    svg.addEventListener("blur", hideCursor);
    svg.addEventListener("keydown", onKey);
    svg.addEventListener("pointermove", onPointerMove);
    svg.addEventListener("pointerleave", () => { g_readout.textContent = ""; });
}
