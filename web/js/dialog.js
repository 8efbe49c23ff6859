// The dialog template IDD_MAIN: its 45 controls in template order (which is
// also the tab order) with their texts and rectangles in dialog units, and
// their layout in pixels from the base units of the font actually used.

const kLeftLabel = "left";
const kCentreLabel = "centre";
const kInputEdit = "input";
const kResultEdit = "result";
const kPushButton = "button";

export const kDialogWidth = 208;
export const kDialogHeight = 112;

// [kind, identifier name, text, x, y, width, height]; statics have no name.
const kControls = [
    [kLeftLabel, "", "White", 4, 17, 24, 9],
    [kLeftLabel, "", "Red", 4, 43, 24, 9],
    [kLeftLabel, "", "Green", 4, 56, 24, 9],
    [kLeftLabel, "", "Blue", 4, 69, 24, 9],
    [kLeftLabel, "", "Gamma", 4, 82, 24, 9],
    [kCentreLabel, "", "Reference", 28, 4, 88, 9],
    [kCentreLabel, "", "Target", 116, 4, 88, 9],
    [kCentreLabel, "", "Gamut", 28, 30, 88, 9],
    [kCentreLabel, "", "New Balance", 116, 30, 88, 9],
    [kCentreLabel, "", "(", 28, 17, 6, 9],
    [kInputEdit, "IDC_REF_WHITE_X", "", 34, 17, 36, 9],
    [kCentreLabel, "", ",", 70, 17, 4, 9],
    [kInputEdit, "IDC_REF_WHITE_Y", "", 74, 17, 36, 9],
    [kCentreLabel, "", ")", 110, 17, 6, 9],
    [kCentreLabel, "", "(", 28, 43, 6, 9],
    [kInputEdit, "IDC_RED_X", "", 34, 43, 36, 9],
    [kCentreLabel, "", ",", 70, 43, 4, 9],
    [kInputEdit, "IDC_RED_Y", "", 74, 43, 36, 9],
    [kCentreLabel, "", ")", 110, 43, 6, 9],
    [kCentreLabel, "", "(", 28, 56, 6, 9],
    [kInputEdit, "IDC_GREEN_X", "", 34, 56, 36, 9],
    [kCentreLabel, "", ",", 70, 56, 4, 9],
    [kInputEdit, "IDC_GREEN_Y", "", 74, 56, 36, 9],
    [kCentreLabel, "", ")", 110, 56, 6, 9],
    [kCentreLabel, "", "(", 28, 69, 6, 9],
    [kInputEdit, "IDC_BLUE_X", "", 34, 69, 36, 9],
    [kCentreLabel, "", ",", 70, 69, 4, 9],
    [kInputEdit, "IDC_BLUE_Y", "", 74, 69, 36, 9],
    [kCentreLabel, "", ")", 110, 69, 6, 9],
    [kInputEdit, "IDC_GAMMA", "", 54, 82, 36, 9],
    [kCentreLabel, "", "(", 116, 17, 6, 9],
    [kInputEdit, "IDC_TARGET_WHITE_X", "", 122, 17, 36, 9],
    [kCentreLabel, "", ",", 158, 17, 4, 9],
    [kInputEdit, "IDC_TARGET_WHITE_Y", "", 162, 17, 36, 9],
    [kCentreLabel, "", ")", 198, 17, 6, 9],
    [kLeftLabel, "", "Red", 130, 43, 24, 9],
    [kLeftLabel, "", "Green", 130, 56, 24, 9],
    [kLeftLabel, "", "Blue", 130, 69, 24, 9],
    [kResultEdit, "IDC_BAL_RED", "", 154, 43, 36, 9],
    [kResultEdit, "IDC_BAL_GREEN", "", 154, 56, 36, 9],
    [kResultEdit, "IDC_BAL_BLUE", "", 154, 69, 36, 9],
    [kPushButton, "IDC_LOAD", "Load", 2, 96, 48, 14],
    [kPushButton, "IDC_RELOAD", "Reload", 54, 96, 48, 14],
    [kPushButton, "IDC_CALC", "Calc.", 106, 96, 48, 14],
    [kPushButton, "IDC_CLOSE", "Close", 158, 96, 48, 14],
];

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
        element.setAttribute("aria-label", kEditNames[name]);
    } else {
        element = document.createElement("span");
        element.textContent = text;
    }
    if (name) element.id = name;
    element.className = kind;
    return element;
}

// Creates the controls inside the dialog's client area, in template order.
export function buildDialog(client) {
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
