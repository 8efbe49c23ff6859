// The page: a title, the dialog built from its template and laid out in the
// font's dialog units (scaled down a little in a narrower window, reflowed
// into one column on a phone), and beside or under it the three steps, with
// the commands wired to both.
import { saveCalibration } from "./calibration.js";
import { calcBalance, runCommand, setUpCommands } from "./commands.js";
import { startCore } from "./core.js";
import { buildDialog, fitStaticTexts, layOutDialog, measureBaseUnits, scaleDialog, setReflow } from "./dialog.js";
import { setUpDiagram } from "./diagram.js";
import { setUpAccount } from "./explain.js";
import { noteFieldEdit, setUpStatus } from "./status.js";
import { setUpWhites } from "./whites.js";

// The smallest tap target, in CSS pixels: no field may be scaled below it.
const kTapTarget = 24;

// A chosen chromaticity is typed into the target white with four decimals,
// as a person would, and Calc. is pressed.
function typeTarget(x, y) {
    runCommand(() => {
        document.getElementById("IDC_TARGET_WHITE_X").value = x.toFixed(4);
        document.getElementById("IDC_TARGET_WHITE_Y").value = y.toFixed(4);
        noteFieldEdit();
        calcBalance();
    });
}

// A comma typed into a field enters a full stop: a phone's decimal keyboard
// in a comma locale has no full stop, and the fields read only the stop.
function setUpDecimalComma(client) {
    client.addEventListener("beforeinput", (event) => {
        if (event.inputType !== "insertText" || event.data !== "," || event.target.readOnly) return;
        event.preventDefault();
        const field = event.target;
        field.setRangeText(".", field.selectionStart, field.selectionEnd, "end");
        field.dispatchEvent(new Event("input", { bubbles: true }));
    });
}

// The dialog at the width the page leaves it: scaled down as a whole where
// it fits at a legible size with its fields large enough to tap, otherwise
// (a phone) reflowed into one column at its own size.
function fitToWindow(frame, dialog, client) {
    const desk = document.getElementById("desk");
    if (!desk) return;  // closed
    const room = desk.clientWidth;
    setReflow(frame, client, false);
    const fieldHeight = document.getElementById("IDC_GAMMA").offsetHeight;
    if (scaleDialog(frame, dialog, client, room) * fieldHeight < kTapTarget) {
        setReflow(frame, client, true);
        frame.style.width = `${room}px`;
        dialog.style.transform = "";
        frame.style.height = `${dialog.offsetHeight}px`;
    }
}

await startCore();
const frame = document.getElementById("dialog-frame");
const dialog = document.getElementById("IDD_MAIN");
const client = document.getElementById("dialog-client");
buildDialog(client, document.getElementById("dialog-caption"));
const g_units = measureBaseUnits(client);
layOutDialog(client, g_units);
fitStaticTexts(client);
const diagram = document.getElementById("chromaticity-diagram");
fitToWindow(frame, dialog, client);
addEventListener("resize", () => fitToWindow(frame, dialog, client));
setUpDecimalComma(client);
setUpStatus(document.getElementById("load-status"), client);
setUpDiagram(diagram, document.getElementById("diagram-readout"), typeTarget);
setUpWhites(diagram);
setUpAccount();
setUpCommands();
document.getElementById("calibration-save").addEventListener("click", () => runCommand(saveCalibration));
