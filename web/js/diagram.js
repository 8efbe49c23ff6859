// The chromaticity diagram beside the dialog: the primaries' triangle and the
// two whites, drawn from the numbers the fields hold as the core reads them.
// A click, or Enter on the keyboard cursor, types a target white and presses
// Calc.
import { readFieldNumber } from "./core.js";

const kSvg = "http://www.w3.org/2000/svg";
// [field of x (y is the next), label, class, radius, label offset and anchor];
// the reference white is a ring around the target, which often lies on it.
const kMarks = [
    [1003, "Red", "primary", 0.009, 0, 16, "middle"],
    [1005, "Green", "primary", 0.009, 8, 0, "start"],
    [1007, "Blue", "primary", 0.009, -8, 4, "end"],
    [1001, "Reference", "white reference", 0.018, -8, -6, "end"],
    [1010, "Target", "white target", 0.009, 8, 14, "start"],
];
const kCursorStep = 0.001;
const kCursorBigStep = 0.01;

let g_plot = null;
let g_plotToSvg = null;
// The chart's bounds, as the diagram's SVG states them.
let g_xMax = 0;
let g_yMax = 0;
let g_triangle = null;
let g_triangleShown = false;
let g_marks = [];
let g_cursor = null;
let g_cursorAt = null;
let g_pick = null;

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

// Through the SVG DOM's own values rather than attribute text: the diagram
// is redrawn after every calculation.
export function redrawDiagram() {
    const m = g_plotToSvg;
    let corners = 0;
    for (const mark of g_marks) {
        const x = readFieldNumber(mark.field);
        const y = readFieldNumber(mark.field + 1);
        const visible = isOnChart(x, y);
        showMark(mark, visible);
        if (!visible) continue;
        mark.dot.cx.baseVal.value = x;
        mark.dot.cy.baseVal.value = y;
        mark.label.x.baseVal.getItem(0).value = m.a * x + m.c * y + m.e + mark.dx;
        mark.label.y.baseVal.getItem(0).value = m.b * x + m.d * y + m.f + mark.dy;
        if (mark.corner) {
            const corner = g_triangle.points.getItem(corners++);
            corner.x = x;
            corner.y = y;
        }
    }
    if (g_triangleShown !== (corners === 3)) {
        g_triangleShown = corners === 3;
        show(g_triangle, g_triangleShown);
    }
}

function moveCursor(x, y) {
    g_cursorAt = { x: Math.min(Math.max(x, 0), g_xMax), y: Math.min(Math.max(y, 0), g_yMax) };
    g_cursor.setAttribute("transform", `translate(${g_cursorAt.x} ${g_cursorAt.y})`);
    show(g_cursor, true);
}

// The keyboard's way in: the cursor starts on the target white (or the
// chart's middle), the arrows move it and Enter or Space types it in.
function onKey(event) {
    const step = event.shiftKey ? kCursorBigStep : kCursorStep;
    const moves = { ArrowLeft: [-step, 0], ArrowRight: [step, 0], ArrowUp: [0, step], ArrowDown: [0, -step] };
    if (event.key in moves) {
        moveCursor(g_cursorAt.x + moves[event.key][0], g_cursorAt.y + moves[event.key][1]);
    } else if (event.key === "Enter" || event.key === " ") {
        g_pick(g_cursorAt.x, g_cursorAt.y);
    } else {
        return;
    }
    event.preventDefault();
}

function onFocus() {
    const x = readFieldNumber(1010);
    const y = readFieldNumber(1011);
    if (isOnChart(x, y)) moveCursor(x, y);
    else moveCursor(g_xMax / 2, g_yMax / 2);
}

function onClick(event) {
    const at = new DOMPoint(event.clientX, event.clientY).matrixTransform(g_plot.getScreenCTM().inverse());
    if (isOnChart(at.x, at.y)) g_pick(at.x, at.y);
}

// pick(x, y) is what a chosen chromaticity does.
export function setUpDiagram(svg, pick) {
    g_pick = pick;
    g_plot = svg.getElementById("diagram-plot");
    g_xMax = Number(g_plot.dataset.xMax);
    g_yMax = Number(g_plot.dataset.yMax);
    // From chromaticity to the diagram's own units, where the labels go.
    g_plotToSvg = svg.getScreenCTM().inverse().multiply(g_plot.getScreenCTM());
    const marks = svg.getElementById("diagram-marks");
    const labels = svg.getElementById("diagram-labels");
    g_triangle = makeSvg(marks, "polygon", { class: "gamut", points: "0,0 0,0 0,0" });
    g_marks = kMarks.map(([field, text, kind, r, dx, dy, anchor]) => {
        const dot = makeSvg(marks, "circle", { class: kind, r });
        const label = makeSvg(labels, "text", { class: kind, "text-anchor": anchor, x: 0, y: 0 });
        label.textContent = text;
        const mark = { field, dot, label, dx, dy, corner: kind === "primary", visible: true };
        showMark(mark, false);
        return mark;
    });
    g_cursor = makeSvg(marks, "path", { class: "cursor", d: "M-0.02 0H0.02M0 -0.02V0.02" });
    show(g_triangle, false);
    show(g_cursor, false);
    svg.addEventListener("click", onClick);
    svg.addEventListener("focus", onFocus);
    svg.addEventListener("blur", () => show(g_cursor, false));
    svg.addEventListener("keydown", onKey);
}
