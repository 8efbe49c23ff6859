// The page: the dialog built from its template and laid out in the font's
// dialog units (scaled down as a whole in a narrow window), the diagram and
// the panels beside or below it, and the commands wired to both.
import { saveCalibration } from "./calibration.js";
import { calcBalance, runCommand, setUpCommands } from "./commands.js";
import { startCore } from "./core.js";
import { buildDialog, fitStaticTexts, layOutDialog, measureBaseUnits, scaleDialog } from "./dialog.js";
import { setUpDiagram } from "./diagram.js";
import { setUpAccount } from "./explain.js";
import { noteFieldEdit, setUpStatus } from "./status.js";
import { setUpWhites } from "./whites.js";

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

// The dialog at the width the page leaves it; beside it the diagram is as
// high as the dialog, and below it (a narrow window) as wide as the page.
function fitToWindow(frame, dialog, client, diagram) {
    const desk = document.getElementById("desk");
    if (!desk) return;  // closed
    const room = desk.clientWidth;
    scaleDialog(frame, dialog, client, room);
    const height = dialog.offsetHeight;
    const besideWidth = (height * diagram.viewBox.baseVal.width) / diagram.viewBox.baseVal.height;
    const beside = frame.offsetWidth + besideWidth + 16 <= room;
    diagram.style.height = beside ? `${height}px` : "auto";
    diagram.style.width = beside ? `${besideWidth}px` : "100%";
    desk.classList.toggle("stacked", !beside);
}

await startCore();
const frame = document.getElementById("dialog-frame");
const dialog = document.getElementById("IDD_MAIN");
const client = document.getElementById("dialog-client");
buildDialog(client, document.getElementById("dialog-caption"));
layOutDialog(client, measureBaseUnits(client));
fitStaticTexts(client);
const diagram = document.getElementById("chromaticity-diagram");
fitToWindow(frame, dialog, client, diagram);
addEventListener("resize", () => fitToWindow(frame, dialog, client, diagram));
setUpStatus(document.getElementById("load-status"), client);
setUpDiagram(diagram, document.getElementById("diagram-readout"), typeTarget);
setUpWhites(diagram);
setUpAccount();
setUpCommands();
document.getElementById("calibration-save").addEventListener("click", () => runCommand(saveCalibration));
