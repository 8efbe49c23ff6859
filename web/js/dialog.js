// The dialog template IDD_MAIN, made at build time from the Windows resource
// script: its controls in template order (which is also the tab order) with
// their texts and rectangles in dialog units, laid out in pixels from the
// base units of the font actually used, and scaled down as a whole where the
// window is narrower than the dialog.
import { kControls, kDialogCaption, kDialogHeight, kDialogWidth } from "./dialog_template.js";

const kLeftLabel = "left";
const kCentreLabel = "centre";
const kInputEdit = "input";
const kResultEdit = "result";
const kPushButton = "button";
// The smallest text that stays legible when the dialog is scaled down to fit
// a narrow window, in CSS pixels.
const kSmallestText = 9;

// An edit's accessible name, since the statics beside it are not labels.
const kEditNames = {
    IDC_REF_WHITE_X: "Reference white x", IDC_REF_WHITE_Y: "Reference white y",
    IDC_RED_X: "Red primary x", IDC_RED_Y: "Red primary y",
    IDC_GREEN_X: "Green primary x", IDC_GREEN_Y: "Green primary y",
    IDC_BLUE_X: "Blue primary x", IDC_BLUE_Y: "Blue primary y",
    IDC_GAMMA: "Gamma",
    IDC_TARGET_WHITE_X: "Target white x", IDC_TARGET_WHITE_Y: "Target white y",
    IDC_BAL_RED: "New balance red", IDC_BAL_GREEN: "New balance green",
    IDC_BAL_BLUE: "New balance blue",
};

const kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

function makeControl([kind, name, text]) {
    let element;
    if (kind === kPushButton) {
        element = document.createElement("button");
        element.type = "button";
        element.textContent = text;
    } else if (kind === kInputEdit || kind === kResultEdit) {
        element = document.createElement("input");
        element.type = "text";
        element.spellcheck = false;
        element.autocomplete = "off";
        element.readOnly = kind === kResultEdit;
        // A phone's keyboard with digits and the decimal point; any text can
        // still be typed, as in the dialog.
        if (kind === kInputEdit) element.inputMode = "decimal";
        element.setAttribute("aria-label", kEditNames[name]);
    } else {
        element = document.createElement("span");
        element.textContent = text;
    }
    if (name) element.id = name;
    element.className = kind;
    return element;
}

// Creates the controls inside the dialog's client area, in template order,
// and gives the caption its text.
export function buildDialog(client, caption) {
    caption.textContent = kDialogCaption;
    for (const control of kControls) client.append(makeControl(control));
}

// Windows' dialog base units for a font: horizontally the average width of
// the 52 letters, as (width / 26 + 1) / 2 in integers; vertically the
// character height, ascent plus descent.
export function measureBaseUnits(element) {
    const style = getComputedStyle(element);
    const context = document.createElement("canvas").getContext("2d");
    context.font = `${style.fontStyle} ${style.fontWeight} ${style.fontSize} ${style.fontFamily}`;
    const metrics = context.measureText(kLetters);
    const width = Math.round(metrics.width);
    return {
        x: Math.floor((Math.floor(width / 26) + 1) / 2),
        y: Math.round(metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent),
    };
}

// a * b / c rounded half up, as Windows' MulDiv does for positive values.
function mulDiv(a, b, c) {
    return Math.floor((a * b + Math.floor(c / 2)) / c);
}

function place(element, x, y, width, height, units) {
    element.style.left = `${mulDiv(x, units.x, 4)}px`;
    element.style.top = `${mulDiv(y, units.y, 8)}px`;
    element.style.width = `${mulDiv(width, units.x, 4)}px`;
    element.style.height = `${mulDiv(height, units.y, 8)}px`;
}

// Sizes the client area and places every control at its template rectangle.
export function layOutDialog(client, units) {
    place(client, 0, 0, kDialogWidth, kDialogHeight, units);
    kControls.forEach(([, , , x, y, width, height], i) => {
        place(client.children[i], x, y, width, height, units);
    });
}

// A static whose text is wider than its rectangle in the face actually used
// (a fallback face is often wider than the Japanese one the template was made
// for) gets a smaller font until the text fits, rather than being clipped.
export function fitStaticTexts(client) {
    for (const element of client.children) {
        if (element.tagName !== "SPAN" || element.scrollWidth <= element.clientWidth) continue;
        const size = parseFloat(getComputedStyle(element).fontSize);
        let fitted = Math.floor((size * element.clientWidth) / element.scrollWidth);
        element.style.fontSize = `${fitted}px`;
        while (element.scrollWidth > element.clientWidth && fitted > kSmallestText) {
            element.style.fontSize = `${--fitted}px`;
        }
    }
}

// The whole dialog scaled to the room the window leaves it, never above its
// own size nor below the scale at which its text would be smaller than
// kSmallestText; the frame around it takes the scaled size, so the page flows
// around what is seen.
export function scaleDialog(frame, dialog, client, room) {
    const width = dialog.offsetWidth;
    const fontSize = parseFloat(getComputedStyle(client).fontSize);
    const scale = Math.min(1, Math.max(room / width, kSmallestText / fontSize));
    dialog.style.transform = scale < 1 ? `scale(${scale})` : "";
    frame.style.width = `${width * scale}px`;
    frame.style.height = `${dialog.offsetHeight * scale}px`;
    return scale;
}

// The one-column form of the dialog for a phone: the reference and gamut
// half above the target and New Balance half, each row of the template a row
// of a grid (label, "(", x, ",", y, ")"), the buttons two by two. Placed
// from the template's own rectangles, so every control keeps its element.
const kRightHalf = 116;
const kRowsOfHalf = [[4, 17, 30, 43, 56, 69, 82], [4, 17, 30, 43, 56, 69]];
const kPunctuationColumns = { "(": 2, ",": 4, ")": 6 };

function gridPlace([kind, name, text, x, y], buttonIndex) {
    if (kind === kPushButton) {
        const row = 15 + Math.floor(buttonIndex / 2);
        return [row, buttonIndex % 2 === 0 ? "1 / 4" : "4 / 7"];
    }
    const half = x >= kRightHalf ? 1 : 0;
    const row = kRowsOfHalf[half].indexOf(y) + 1 + (half ? kRowsOfHalf[0].length : 0);
    if (kind === kLeftLabel) return [row, "1"];
    if (kind === kCentreLabel && text in kPunctuationColumns) return [row, `${kPunctuationColumns[text]}`];
    if (kind === kCentreLabel) return [row, "2 / 7"];
    if (name.endsWith("_X")) return [row, "3"];
    if (name.endsWith("_Y")) return [row, "5"];
    return [row, "3 / 6"];
}

export function setReflow(frame, client, on) {
    frame.classList.toggle("reflow", on);
    let buttons = 0;
    kControls.forEach((control, i) => {
        const style = client.children[i].style;
        if (!on) {
            style.gridRow = style.gridColumn = "";
            return;
        }
        const [row, column] = gridPlace(control, control[0] === kPushButton ? buttons++ : 0);
        style.gridRow = `${row}`;
        style.gridColumn = column;
    });
}
