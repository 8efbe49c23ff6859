// The compiled core, loaded before the page's modules as createTintmendCore.
// The page hands it commands and file bytes; the core reads and writes the
// fields' <input> elements itself, through the field primitives.

let g_core = null;

// Compiled and instantiated before it returns (the core is small, and a
// synchronous start spares the page a round of promises and a data: fetch).
export function startCore() {
    g_core = createTintmendCore();
}

export function openDialog() {
    g_core._OpenDialog();
}

export function pressCalc() {
    g_core._PressCalc();
}

export function readFieldNumber(id) {
    return g_core._ReadPageFieldNumber(id);
}

// A copy of the bytes in the core's heap, or 0 where none could be had or an
// empty input needs none.
function copyToCore(bytes) {
    const buffer = g_core._ReserveFileBuffer(bytes.length);
    if (buffer) g_core.HEAPU8.set(bytes, buffer);
    return buffer;
}

// A text the core made, which is ASCII.
function readCoreText(pointer) {
    let text = "";
    for (let p = pointer; g_core.HEAPU8[p] !== 0; ++p) text += String.fromCharCode(g_core.HEAPU8[p]);
    return text;
}

// Copies a file's bytes into the core's heap and applies them as a profile
// load does; true when the profile was applied and the balance recalculated.
export function applyProfileBytes(bytes) {
    const buffer = copyToCore(bytes);
    if (!buffer) return false;
    return g_core._ApplyProfileBuffer(buffer, bytes.length) === 1;
}

// How many bytes of an EDID's file or text to hand over at most: past it the
// core refuses the input as too large.
export function edidReadLimit() {
    return g_core._EdidReadLimit();
}

// Text as 8-bit characters, as the fields hand theirs to the core: U+0000 to
// U+00FF as that byte, a surrogate pair as one character, anything above as
// "?"; at most limit of them.
export function textBytes(text, limit) {
    const bytes = [];
    for (let i = 0; i < text.length && bytes.length < limit; ++i) {
        const code = text.charCodeAt(i);
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.length) {
            const next = text.charCodeAt(i + 1);
            if (next >= 0xDC00 && next <= 0xDFFF) ++i;
        }
        bytes.push(code <= 0xFF ? code : 0x3F);
    }
    return Uint8Array.from(bytes);
}

// Applies an EDID's bytes (binary or hex text) to the fields; null when it
// was applied and the balance recalculated, otherwise the core's reason.
export function applyEdidBytes(bytes) {
    const reason = g_core._ApplyEdidBuffer(copyToCore(bytes), bytes.length);
    return reason ? readCoreText(reason) : null;
}

export function describeUnreadableEdid() {
    return readCoreText(g_core._DescribeUnreadableEdid());
}

// The named whites' names, in the core's order.
export function namedWhites() {
    const names = [];
    for (let i = 0; i < g_core._CountNamedWhites(); ++i) names.push(readCoreText(g_core._NameNamedWhite(i)));
    return names;
}

export function typeNamedWhite(index) {
    g_core._TypeNamedWhite(index);
}

// True when the locus has the temperature and its white was typed.
export function typeTemperature(kelvin, planckian) {
    return g_core._TypeTemperature(kelvin, planckian ? 1 : 0) === 1;
}

// { x, y } of a locus at kelvin, NaN where it has none.
export function locusPoint(planckian, kelvin) {
    return { x: g_core._LocusX(planckian ? 1 : 0, kelvin), y: g_core._LocusY(planckian ? 1 : 0, kelvin) };
}

// The account of the fields; gains is null or { present: [r, g, b], top }.
export function describeAccount(gains) {
    const [r, g, b] = gains ? gains.present : [0, 0, 0];
    return readCoreText(g_core._DescribeAccount(gains ? 1 : 0, r, g, b, gains ? gains.top : 100));
}
