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

// Copies a file's bytes into the core's heap and applies them as a profile
// load does; true when the profile was applied and the balance recalculated.
export function applyProfileBytes(bytes) {
    const buffer = g_core._ReserveFileBuffer(bytes.length);
    if (!buffer) return false;
    g_core.HEAPU8.set(bytes, buffer);
    return g_core._ApplyProfileBuffer(buffer, bytes.length) === 1;
}
