// Writes the page's copy of the dialog template as a JavaScript module: the
// caption, size and 45 controls of IDD_MAIN as the Windows resource script
// states them, and every IDC_ identifier with its number from the headers
// that the script and the core include. Run at build time, so that an edit to
// the template reaches the Windows program and the page alike.
//
//   node make_dialog_template.mjs tintmend.rc field_ids.h resource.h OUT
import { readFileSync, writeFileSync } from "node:fs";
import { basename } from "node:path";

// The script's style macros, as the page's kinds of control.
const kKinds = {
    LEFT_LABEL: "left",
    CENTRE_LABEL: "centre",
    INPUT_EDIT: "input",
    RESULT_EDIT: "result",
    PUSH_BUTTON: "button",
};
const kNoIdentifier = "IDC_STATIC";

function fail(message) {
    console.error(`make_dialog_template: ${message}`);
    process.exit(1);
}

// "#define NAME 1234" lines: the identifiers the code and the script share.
function readIdentifiers(paths) {
    const ids = {};
    for (const path of paths) {
        for (const [, name, value] of readFileSync(path, "utf8").matchAll(/^#define\s+(ID[CD]_\w+)\s+(\d+)\s*$/gm)) {
            ids[name] = Number(value);
        }
    }
    return ids;
}

const kDialogLine = /^IDD_MAIN\s+DIALOG\s+(\d+),\s*(\d+),\s*(\d+),\s*(\d+)\s*$/m;
const kCaptionLine = /^CAPTION\s+"([^"]*)"\s*$/m;
const kControlLine = /^\s*CONTROL\s+"([^"]*)",\s*(\w+),\s*\w+,\s*(\w+),\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+),\s*\w+\s*$/;

// Every CONTROL statement between BEGIN and END, in order; any other
// statement there is one the page would not know how to draw.
function readControls(text, ids, path) {
    const body = text.match(/^BEGIN\s*$([\s\S]*?)^END\s*$/m);
    if (!body) fail(`${path}: no BEGIN ... END`);
    const controls = [];
    for (const line of body[1].split("\n")) {
        if (/^\s*(\/\/.*)?$/.test(line)) continue;
        const m = line.match(kControlLine);
        if (!m) fail(`${path}: cannot read the control "${line.trim()}"`);
        const [, label, name, style, ...rect] = m;
        if (!(style in kKinds)) fail(`${path}: unknown style ${style}`);
        if (name !== kNoIdentifier && !(name in ids)) fail(`${path}: unknown identifier ${name}`);
        controls.push([kKinds[style], name === kNoIdentifier ? "" : name, label, ...rect.map(Number)]);
    }
    return controls;
}

const [rc, fieldIds, resource, out] = process.argv.slice(2);
if (!out) fail("usage: node make_dialog_template.mjs tintmend.rc field_ids.h resource.h OUT");
const text = readFileSync(rc, "utf8");
const dialog = text.match(kDialogLine);
const caption = text.match(kCaptionLine);
if (!dialog || !caption) fail(`${rc}: no IDD_MAIN DIALOG or CAPTION line`);
const ids = readIdentifiers([fieldIds, resource]);
const controls = readControls(text, ids, rc);
const lines = [
    `// Made from ${[rc, fieldIds, resource].map((p) => basename(p)).join(", ")} by make_dialog_template.mjs.`,
    "// The dialog template: [kind, identifier name, text, x, y, width, height] in",
    "// dialog units, in template order; statics have no name.",
    `export const kDialogCaption = ${JSON.stringify(caption[1])};`,
    `export const kDialogWidth = ${Number(dialog[3])};`,
    `export const kDialogHeight = ${Number(dialog[4])};`,
    "export const kControls = [",
    ...controls.map((c) => `    ${JSON.stringify(c)},`),
    "];",
    "// Every identifier by name.",
    "export const kIds = {",
    ...Object.entries(ids).map(([name, value]) => `    ${name}: ${value},`),
    "};",
    "",
];
writeFileSync(out, lines.join("\n"));
