// The compiled core, loaded before the page's modules as createTintmendCore.
// The page hands it commands and file bytes; the core reads and writes the
// fields' <input> elements itself, through the field primitives, with the
// page's one mapping between text and 8-bit characters below.

let g_core = null;

// Writes text as 8-bit characters, as the core takes it, into bytes from
// at: U+0000 to U+00FF as that byte, a surrogate pair as one character,
// anything above as "?"; at most limit of them. Returns how many.
function writeTextBytes(text, limit, bytes, at) {
    let n = 0;
    for (let i = 0; i < text.length && n < limit; ++i) {
        const code = text.charCodeAt(i);
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.length) {
            const next = text.charCodeAt(i + 1);
            if (next >= 0xDC00 && next <= 0xDFFF) ++i;
        }
        bytes[at + n++] = code <= 0xFF ? code : 0x3F;
    }
    return n;
}

export function textBytes(text, limit) {
    const bytes = new Uint8Array(Math.min(text.length, limit));
    return bytes.subarray(0, writeTextBytes(text, limit, bytes, 0));
}

// A zero-terminated text in the core's heap, each byte as that character.
function coreText(pointer) {
    let text = "";
    for (let p = pointer; g_core.HEAPU8[p] !== 0; ++p) text += String.fromCharCode(g_core.HEAPU8[p]);
    return text;
}

// The core's WebAssembly, carried as raw deflate in base64 (inline_page.mjs),
// unpacked by the browser's own decompressor.
async function unpackCore(packed) {
    const bytes = Uint8Array.from(atob(packed), (c) => c.charCodeAt(0));
    const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream("deflate-raw"));
    return new Uint8Array(await new Response(stream).arrayBuffer());
}

// Compiled and instantiated as the factory runs (the core is small, and a
// synchronous start spares the page a round of promises and a data: fetch).
export async function startCore() {
    g_core = createTintmendCore({ wasmBinary: await unpackCore(tintmendCorePacked) });
    g_core.writeTextBytes = writeTextBytes;
    g_core.coreText = coreText;
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

// What came of a load: whether it was applied (and the balance recalculated)
// and the core's account of it, or its reason for refusing it.
function loadOutcome(applied) {
    return { applied: applied === 1, text: coreText(g_core._LoadText()) };
}

// Copies a file's bytes into the core's heap and applies them as a profile
// load does.
export function applyProfileBytes(bytes) {
    return loadOutcome(g_core._ApplyProfileBuffer(copyToCore(bytes), bytes.length));
}

export function describeUnreadableProfile() {
    g_core._DescribeUnreadableProfile();
    return coreText(g_core._LoadText());
}

// Applies the bytes of any reference file or text, told apart by content.
export function applySourceBytes(bytes) {
    return loadOutcome(g_core._ApplySourceBuffer(copyToCore(bytes), bytes.length));
}

// How many characters of pasted text to hand over at most.
export function sourceTextLimit() {
    return g_core._SourceTextLimit();
}

// The words of the steps from the last account: the target white, the new
// settings ("" without them) and the account as sentences.
export function describeSteps() {
    return {
        target: coreText(g_core._TargetWords()),
        settings: coreText(g_core._NewSettings()),
        prose: coreText(g_core._AccountProse()),
    };
}

// What a saved calibration's curves build on: the calibration the last load
// was measured through, or none.
export function calibrationBase() {
    return coreText(g_core._CalibrationText()).trimEnd();
}

// A typed gamma is every channel's curve: the settings and files go back to
// the ratios until the next load.
export function dropDisplayResponse() {
    g_core._DropDisplayResponse();
}

export function describeUnreadableEdid() {
    g_core._DescribeUnreadableEdid();
    return coreText(g_core._LoadText());
}

// A calibration file made by the core from the fields: { bytes } (a copy) or
// { reason } when the results allow none.
function madeFile(reason, bytesAt) {
    if (reason) return { reason: coreText(reason) };
    const start = bytesAt();
    return { bytes: g_core.HEAPU8.slice(start, start + g_core._CalibrationSize()) };
}

export function makeCalFile() {
    return madeFile(g_core._MakeCalFile(), () => g_core._CalFileBytes());
}

// The profile's header date is the given time, in whole seconds since 1970.
export function makeProfileFile(seconds) {
    return madeFile(g_core._MakeProfileFile(seconds), () => g_core._ProfileFileBytes());
}

// The named whites' names, in the core's order.
export function namedWhites() {
    const names = [];
    for (let i = 0; i < g_core._CountNamedWhites(); ++i) names.push(coreText(g_core._NameNamedWhite(i)));
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

// Where a locus runs, { from, to } in kelvin, and in words.
export function locusKelvins(planckian) {
    const p = planckian ? 1 : 0;
    return { from: g_core._LocusEndKelvin(p, 0), to: g_core._LocusEndKelvin(p, 1) };
}

export function locusRange(planckian) {
    return coreText(g_core._LocusRange(planckian ? 1 : 0));
}

// { text, warnings: [{ code, words }] } with the gains as typed: numbers, or
// NaN where none is; the core decides whether they are settings on the scale.
export function describeAccount([r, g, b], top) {
    const text = coreText(g_core._DescribeAccount(r, g, b, top));
    const warnings = [];
    for (let i = 0; i < g_core._WarningCount(); ++i) {
        warnings.push({ code: coreText(g_core._WarningCode(i)), words: coreText(g_core._WarningWords(i)) });
    }
    return { text, warnings };
}

export function calibrationName() {
    return coreText(g_core._CalibrationName());
}
