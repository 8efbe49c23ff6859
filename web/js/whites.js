// Whites as people name them: buttons for the named whites and a temperature
// on the daylight or blackbody locus, each typed into the target fields by
// the core and calculated as a click in the diagram is; and the two loci
// drawn on the diagram with their temperatures, which can zoom to the whites.
import { calcBalance, runCommand } from "./commands.js";
import { locusKelvins, locusPoint, locusRange, namedWhites, typeNamedWhite, typeTemperature } from "./core.js";
import { noteFieldEdit } from "./status.js";

const kLociSvgNamespace = "http://www.w3.org/2000/svg";
// Each locus over the core's range, in steps of reciprocal temperature, in
// which its points lie about evenly.
const kLoci = [
    { planckian: false, name: "daylight" },
    { planckian: true, name: "planckian" },
];
const kMiredStep = 10;
const kTickKelvins = [3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000];
const kTickLength = 0.002;
// The region of whites, where a click is precise enough to mean something.
const kWhites = { x0: 0.25, x1: 0.40, y0: 0.25, y1: 0.42 };

function makeLociElement(parent, tag, attributes) {
    const element = document.createElementNS(kLociSvgNamespace, tag);
    for (const [name, value] of Object.entries(attributes)) element.setAttribute(name, value);
    parent.append(element);
    return element;
}

function locusPath(locus) {
    const { from, to } = locusKelvins(locus.planckian);
    const points = [];
    for (let mireds = 1e6 / from; mireds > 1e6 / to; mireds -= kMiredStep) {
        points.push(locusPoint(locus.planckian, 1e6 / mireds));
    }
    points.push(locusPoint(locus.planckian, to));
    return `M${points.map((p) => `${p.x.toFixed(5)} ${p.y.toFixed(5)}`).join("L")}`;
}

// A short stroke across the locus at kelvin, and where its label goes: off
// the stroke's end, below the locus (away from the daylight one above it).
function tick(locus, kelvin) {
    const p = locusPoint(locus.planckian, kelvin);
    const q = locusPoint(locus.planckian, kelvin + 10);
    if (!Number.isFinite(p.x)) return null;
    const length = Math.hypot(q.x - p.x, q.y - p.y);
    const nx = -(q.y - p.y) / length;
    const ny = (q.x - p.x) / length;
    return {
        d: `M${(p.x - nx * kTickLength).toFixed(5)} ${(p.y - ny * kTickLength).toFixed(5)}` +
            `L${(p.x + nx * kTickLength).toFixed(5)} ${(p.y + ny * kTickLength).toFixed(5)}`,
        label: { x: p.x + nx * kTickLength * 3, y: p.y + ny * kTickLength * 3 },
    };
}

function drawLoci(svg) {
    const plot = svg.getElementById("diagram-plot");
    const group = document.createElementNS(kLociSvgNamespace, "g");
    group.setAttribute("class", "loci");
    plot.insertBefore(group, svg.getElementById("diagram-marks"));
    // The tick labels in the diagram's own units, so that their text is upright.
    const labels = makeLociElement(svg, "g", { class: "kelvin-labels" });
    const toSvg = svg.getScreenCTM().inverse().multiply(plot.getScreenCTM());
    for (const locus of kLoci) {
        makeLociElement(group, "path", { class: locus.name, d: locusPath(locus) });
        for (const kelvin of kTickKelvins) {
            const t = tick(locus, kelvin);
            if (!t) continue;
            makeLociElement(group, "path", { class: locus.name, d: t.d });
            if (!locus.planckian) continue;
            const at = new DOMPoint(t.label.x, t.label.y).matrixTransform(toSvg);
            const text = makeLociElement(labels, "text", { x: at.x.toFixed(2), y: at.y.toFixed(2), "text-anchor": "middle" });
            text.textContent = `${kelvin} K`;
        }
    }
}

// The whites' region, in the diagram's own units, as its view: widened about
// its middle to the whole chart's proportions, so that the page keeps its
// layout as the diagram zooms.
function zoomBox(svg) {
    const plot = svg.getElementById("diagram-plot");
    const toSvg = svg.getScreenCTM().inverse().multiply(plot.getScreenCTM());
    const a = new DOMPoint(kWhites.x0, kWhites.y1).matrixTransform(toSvg);
    const b = new DOMPoint(kWhites.x1, kWhites.y0).matrixTransform(toSvg);
    const whole = svg.viewBox.baseVal;
    const height = b.y - a.y;
    const width = height * whole.width / whole.height;
    const left = (a.x + b.x - width) / 2;
    return `${left.toFixed(2)} ${a.y.toFixed(2)} ${width.toFixed(2)} ${height.toFixed(2)}`;
}

function setUpZoom(svg) {
    const whole = svg.getAttribute("viewBox");
    const zoomed = zoomBox(svg);
    const button = document.getElementById("whites-zoom");
    button.addEventListener("click", () => {
        const on = button.getAttribute("aria-pressed") !== "true";
        button.setAttribute("aria-pressed", on ? "true" : "false");
        svg.setAttribute("viewBox", on ? zoomed : whole);
        svg.classList.toggle("zoomed", on);
    });
}

function showWhitesStatus(text) {
    document.getElementById("whites-status").textContent = text;
}

function chooseTemperature() {
    const kelvin = Number(document.getElementById("whites-kelvin").value);
    const planckian = document.getElementById("whites-locus").value === "planckian";
    if (!typeTemperature(kelvin, planckian)) {
        showWhitesStatus(locusRange(planckian));
        return;
    }
    showWhitesStatus("");
    noteFieldEdit();
    calcBalance();
}

function setUpChooser() {
    const names = document.getElementById("whites-names");
    namedWhites().forEach((name, index) => {
        const button = document.createElement("button");
        button.type = "button";
        button.textContent = name;
        button.addEventListener("click", () => runCommand(() => {
            typeNamedWhite(index);
            showWhitesStatus("");
            noteFieldEdit();
            calcBalance();
        }));
        names.append(button);
    });
    document.getElementById("whites-set").addEventListener("click", () => runCommand(chooseTemperature));
}

export function setUpWhites(svg) {
    drawLoci(svg);
    setUpZoom(svg);
    setUpChooser();
}
