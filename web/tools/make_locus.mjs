// Writes the fixed part of the chromaticity diagram as SVG: grid, axes and
// the spectral locus from the CIE 1931 2-degree colour-matching functions,
// colour/cie1931_2deg_xyz.csv (the table the core's blackbody locus sums over).
// Run at build time; the output depends on the file alone.
//
//   node make_locus.mjs cie1931_2deg_xyz.csv locus.svg
import { readFileSync, writeFileSync } from "node:fs";

// The chart: x from 0 to 0.8 and y from 0 to 0.9, one unit 360 user units
// wide, with room for the tick labels to the left and below.
const kXMax = 0.8;
const kYMax = 0.9;
const kScale = 360;
const kLeft = 40;
const kTop = 12;
const kPlotWidth = kXMax * kScale;
const kPlotHeight = kYMax * kScale;
const kWidth = kLeft + kPlotWidth + 12;
const kHeight = kTop + kPlotHeight + 34;
// Labelled wavelengths, each outside the locus or, on the left arm where the
// y axis's labels are, inside it.
const kLabelledNm = [[460, 1], [480, -1], [490, -1], [500, -1], [510, -1], [520, 1], [540, 1],
    [560, 1], [580, 1], [600, 1], [620, 1], [700, 1]];

// Every coordinate as fixed text, so that the file is the same on any machine.
const fix = (v, places) => v.toFixed(places);
const chartX = (x) => kLeft + x * kScale;
const chartY = (y) => kTop + kPlotHeight - y * kScale;

function fail(message) {
    console.error(`make_locus: ${message}`);
    process.exit(1);
}

// The table: one band a line, the wavelength in nanometres, then x-bar, y-bar
// and z-bar, separated by commas.
function readCmf(path) {
    const lines = readFileSync(path, "latin1").split(/\r?\n/).filter((line) => line.trim() !== "");
    const bands = lines.map((line) => line.split(",").map((field) => Number(field.trim())));
    if (bands.length < 2 || bands.some((band) => band.length !== 4 || band.some(isNaN))) {
        fail(`${path}: want lines of four numbers: nanometres, x-bar, y-bar, z-bar`);
    }
    return bands.map(([nm, X, Y, Z]) => {
        const sum = X + Y + Z;
        return { nm, x: X / sum, y: Y / sum };
    });
}

// The locus in chart coordinates, closed by the line of purples. Points that
// round to the one before (the far red end) are left out.
function locusPath(points) {
    const parts = [];
    for (const p of points) {
        const part = `${fix(p.x, 4)} ${fix(p.y, 4)}`;
        if (part !== parts[parts.length - 1]) parts.push(part);
    }
    return `M${parts.join("L")}Z`;
}

// A wavelength's label, pushed away from the locus along its normal, outward
// (side 1) or inward (-1).
function wavelengthLabel(points, [nm, side]) {
    const i = points.findIndex((p) => p.nm === nm);
    if (i <= 0 || i >= points.length - 1) fail(`no ${nm} nm inside the data`);
    const p = points[i];
    let dx = side * (points[i + 1].y - points[i - 1].y);
    let dy = -side * (points[i + 1].x - points[i - 1].x);
    const length = Math.hypot(dx, dy) || 1;
    dx /= length;
    dy /= length;
    const px = chartX(p.x);
    const py = chartY(p.y);
    const lx = px - dx * 14;
    const ly = py + dy * 14 + 4;
    const anchor = dx > 0.3 ? "end" : dx < -0.3 ? "start" : "middle";
    return `<line x1="${fix(px, 1)}" y1="${fix(py, 1)}" x2="${fix(px - dx * 5, 1)}" y2="${fix(py + dy * 5, 1)}"/>` +
        `<text x="${fix(lx, 1)}" y="${fix(ly, 1)}" text-anchor="${anchor}">${nm}</text>`;
}

function gridAndTicks() {
    const lines = [];
    const labels = [];
    for (let i = 0; i <= 8; ++i) {
        const x = fix(chartX(i / 10), 1);
        lines.push(`<line x1="${x}" y1="${kTop}" x2="${x}" y2="${kTop + kPlotHeight}"/>`);
        labels.push(`<text x="${x}" y="${kTop + kPlotHeight + 16}" text-anchor="middle">${fix(i / 10, 1)}</text>`);
    }
    for (let i = 0; i <= 9; ++i) {
        const y = fix(chartY(i / 10), 1);
        lines.push(`<line x1="${kLeft}" y1="${y}" x2="${kLeft + kPlotWidth}" y2="${y}"/>`);
        labels.push(`<text x="${kLeft - 6}" y="${fix(chartY(i / 10) + 4, 1)}" text-anchor="end">${fix(i / 10, 1)}</text>`);
    }
    return { lines: lines.join(""), labels: labels.join("") };
}

const [cmfPath, outPath] = process.argv.slice(2);
if (!cmfPath || !outPath) fail("usage: node make_locus.mjs CMF-TABLE.csv OUT.svg");
const points = readCmf(cmfPath);
const grid = gridAndTicks();
// The plot group maps chromaticity to the chart (y upwards); the page draws
// the primaries and the two whites into it and reads its bounds from it.
const svg = [
    `<svg id="chromaticity-diagram" class="diagram" viewBox="0 0 ${fix(kWidth, 0)} ${fix(kHeight, 0)}"`,
    // A control for the target white: its value (the cursor's chromaticity,
    // its number x in ten-thousandths) is kept by the page.
    ` tabindex="0" role="slider" aria-label="Target white on the CIE 1931 chromaticity diagram"`,
    ` aria-valuemin="0" aria-valuemax="${Math.round(kXMax * 10000)}">`,
    `<g class="grid">${grid.lines}</g>`,
    `<g class="ticks">${grid.labels}`,
    `<text x="${fix(kLeft + kPlotWidth / 2, 1)}" y="${kTop + kPlotHeight + 31}" text-anchor="middle">x</text>`,
    `<text x="${kLeft - 30}" y="${fix(kTop + kPlotHeight / 2, 1)}" text-anchor="middle">y</text></g>`,
    `<g class="wavelengths">${kLabelledNm.map((label) => wavelengthLabel(points, label)).join("")}</g>`,
    `<g id="diagram-plot" transform="translate(${kLeft} ${kTop + kPlotHeight}) scale(${kScale} -${kScale})"`,
    ` data-x-max="${kXMax}" data-y-max="${kYMax}">`,
    `<path class="locus" d="${locusPath(points)}"/>`,
    `<g id="diagram-marks"></g></g>`,
    `<g id="diagram-labels"></g>`,
    `</svg>`,
].join("");
writeFileSync(outPath, svg + "\n");
