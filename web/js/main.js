// The page: the dialog built from its template and laid out in the font's
// dialog units, the diagram beside it, and the commands wired to both.
import { calcBalance, runCommand, setUpCommands } from "./commands.js";
import { startCore } from "./core.js";
import { buildDialog, layOutDialog, measureBaseUnits } from "./dialog.js";
import { setUpDiagram } from "./diagram.js";
import { setUpAccount } from "./explain.js";
import { setUpWhites } from "./whites.js";

// A chosen chromaticity is typed into the target white with four decimals,
// as a person would, and Calc. is pressed.
function typeTarget(x, y) {
    runCommand(() => {
        document.getElementById("IDC_TARGET_WHITE_X").value = x.toFixed(4);
        document.getElementById("IDC_TARGET_WHITE_Y").value = y.toFixed(4);
        calcBalance();
    });
}

startCore();
const client = document.getElementById("dialog-client");
buildDialog(client);
layOutDialog(client, measureBaseUnits(client));
const diagram = document.getElementById("chromaticity-diagram");
diagram.style.height = `${document.getElementById("IDD_MAIN").offsetHeight}px`;
setUpDiagram(diagram, typeTarget);
setUpWhites(diagram);
setUpAccount();
setUpCommands();
