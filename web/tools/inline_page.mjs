// Makes the one self-contained page: the HTML template with the CSS (one or
// more style sheets, their names joined by commas, in that order), the
// diagram's SVG, the compiled core's JavaScript with its WebAssembly (the
// .wasm beside CORE_JS) as the global tintmendCorePacked, raw deflate in
// base64, the page's modules and the licence notices put in place of its
// @TINTMEND_...@ markers. The WebAssembly compresses to about a half, and the
// browser's own DecompressionStream unpacks it (core.js), so the page carries
// no decompressor of its own.
//
//   node inline_page.mjs TEMPLATE CSS SVG CORE_JS MAIN_MODULE VERSION OUT [GENERATED_MODULE...] -- NOTICE...
//
// A module that the build makes (the dialog's template) is imported by its
// file name as if it stood beside the page's modules. The NOTICE files'
// texts, one after another, go into the page itself, so that every copy of
// the one file carries them.
//
// The modules are joined into one module script, each after the modules it
// imports, with their import lines and export keywords taken out: one file
// cannot import another from disk, and a page opened from file:// may not
// load modules. The output depends on the inputs alone.
import { existsSync, readFileSync, writeFileSync } from "node:fs";
import { basename, dirname, join } from "node:path";
import { constants, deflateRawSync } from "node:zlib";

function fail(message) {
    console.error(`inline_page: ${message}`);
    process.exit(1);
}

const kImport = /^import \{[^}]*\} from "(\.\/[\w-]+\.js)";$/;

let g_generated = [];

function resolveModule(from, name) {
    const beside = join(dirname(from), name);
    if (existsSync(beside)) return beside;
    return g_generated.find((path) => basename(path) === basename(name)) || fail(`${from}: no module ${name}`);
}

// The modules reachable from the main one, dependencies first.
function joinModules(path, done = new Set(), parts = []) {
    if (done.has(path)) return parts;
    done.add(path);
    const body = [];
    for (const line of readFileSync(path, "utf8").split("\n")) {
        const m = line.match(kImport);
        if (m) {
            joinModules(resolveModule(path, m[1]), done, parts);
        } else if (/^\s*(import|export)\b/.test(line) && !/^export (async function|function|const|let) /.test(line)) {
            fail(`${path}: cannot join the line "${line}"`);
        } else {
            body.push(line.replace(/^export /, ""));
        }
    }
    parts.push(body.join("\n").trimEnd());
    return parts;
}

// The modules' text as shipped: without their whole-line comments, indents
// and blank lines, which are a third of it. Only sound where no string spans
// lines, so a template literal that does stops the build.
function shippedModules(text) {
    const lines = text.split("\n").map((line) => line.trim());
    const spanning = lines.find((line) => (line.split("`").length - 1) % 2 !== 0);
    if (spanning !== undefined) fail(`a template literal spans lines at "${spanning}"`);
    return lines.filter((line) => line !== "" && !line.startsWith("//")).join("\n");
}

// The style sheet without its comments and indents.
function shippedCss(text) {
    return text.replace(/\/\*[\s\S]*?\*\//g, "").split("\n").map((line) => line.trim())
        .filter((line) => line !== "").join("\n");
}

// A script's text must not end its own element early.
function scriptText(text, name) {
    if (/<\/script/i.test(text)) fail(`${name} contains "</script"`);
    return text.trimEnd();
}

// The compiled core's script, its WebAssembly before it.
function coreScript(coreJs) {
    const wasm = coreJs.replace(/\.js$/, ".wasm");
    if (wasm === coreJs || !existsSync(wasm)) fail(`${coreJs}: no ${basename(wasm)} beside it`);
    const packed = deflateRawSync(readFileSync(wasm), { level: constants.Z_BEST_COMPRESSION });
    return `var tintmendCorePacked = "${packed.toString("base64")}";\n${readFileSync(coreJs, "utf8")}`;
}

// Plain text as the content of an element.
function htmlText(text) {
    return text.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;");
}

const kUsage = "usage: node inline_page.mjs TEMPLATE CSS SVG CORE_JS MAIN_MODULE VERSION OUT [GENERATED_MODULE...] -- NOTICE...";
const [template, css, svg, coreJs, mainModule, version, out, ...rest] = process.argv.slice(2);
const separator = rest.indexOf("--");
if (!out || separator < 0 || separator === rest.length - 1) fail(kUsage);
g_generated = rest.slice(0, separator);
const notices = rest.slice(separator + 1);
const pieces = {
    "@TINTMEND_CSS@": shippedCss(css.split(",").map((name) => readFileSync(name, "utf8")).join("\n")),
    "@TINTMEND_LOCUS@": readFileSync(svg, "utf8").trimEnd(),
    "@TINTMEND_CORE@": scriptText(coreScript(coreJs), coreJs),
    "@TINTMEND_PAGE@": scriptText(shippedModules(joinModules(mainModule).join("\n")), "the page's modules"),
    "@TINTMEND_VERSION@": version,
    "@TINTMEND_NOTICES@": htmlText(notices.map((n) => readFileSync(n, "utf8").trimEnd()).join("\n\n\n")),
};
let page = readFileSync(template, "utf8");
for (const [marker, text] of Object.entries(pieces)) {
    if (page.split(marker).length !== 2) fail(`${template}: want one ${marker}`);
    // A function, so that "$" in the text is taken literally.
    page = page.replace(marker, () => text);
}
writeFileSync(out, page);
