// The dialog's commands, and any source applied to its fields from beside it.
// Each runs to its end before the next begins, in the order given, as the
// dialog handles one message after another: at once when the dialog is idle,
// otherwise after the commands before it. A command that waits (on a file's
// bytes) marks the dialog busy (aria-busy) until it and those queued behind it
// are done, which is what scripts can wait on.
import { applyProfileBytes, applySourceBytes, describeUnreadableEdid, describeUnreadableProfile, openDialog, pressCalc, sourceTextLimit, textBytes } from "./core.js";
import { redrawDiagram } from "./diagram.js";
import { updateAccount } from "./explain.js";
import { announceResults } from "./results.js";
import { settleStatus, showStatus } from "./status.js";

// The last confirmed choice of the chooser: the page's profile path.
let g_chosenFile = null;
// The commands still to run behind one that waits, or null when idle.
let g_queue = null;
let g_closed = false;

function setBusy(busy) {
    // After Close the dialog is gone.
    document.getElementById("IDD_MAIN")?.setAttribute("aria-busy", busy ? "true" : "false");
}

function runNow(command) {
    return g_closed ? undefined : command();
}

// Marks the dialog idle once nothing more has been queued behind tail.
function settle(tail) {
    tail.then(() => {
        if (g_queue !== tail) {
            settle(g_queue);
            return;
        }
        g_queue = null;
        setBusy(false);
    });
}

export function runCommand(command) {
    if (g_queue) {
        g_queue = g_queue.then(() => runNow(command)).catch((error) => console.error(error));
        return;
    }
    const waiting = runNow(command);
    if (!(waiting instanceof Promise)) return;
    setBusy(true);
    g_queue = waiting.catch((error) => console.error(error));
    settle(g_queue);
}

// Dialog initialisation: the default texts and the first results, and the
// focus in field 1001 with its text selected, as the dialog opens.
function initDialog() {
    openDialog();
    showResults();
    const first = document.getElementById("IDC_REF_WHITE_X");
    first.focus();
    first.select();
    setBusy(false);
    performance.mark("tintmend-first-results");
}

// What every calculation is followed by, whichever command ran it.
function showResults() {
    redrawDiagram();
    announceResults();
    updateAccount();
}

export function calcBalance() {
    pressCalc();
    settleStatus();
    showResults();
}

// Reads the chosen file afresh. Nothing chosen yet, a file the browser can no
// longer read (gone, or changed since it was chosen) or a refused profile
// changes nothing.
// The status line names the file and tells what the load did or why it was
// refused, in the core's words.
async function reloadProfile() {
    if (!g_chosenFile) return;
    const file = g_chosenFile;
    let bytes;
    try {
        bytes = new Uint8Array(await file.arrayBuffer());
    } catch {
        showStatus(`${file.name}: ${describeUnreadableProfile()}`);
        return;
    }
    const outcome = applyProfileBytes(bytes);
    if (outcome.applied) showResults();
    showStatus(`${file.name}: ${outcome.text}`);
}

// A file's bytes or the pasted text's go to the core alike, which tells the
// sources apart by content; a refusal changes nothing but the status line.
function applySource(bytes, source) {
    const outcome = applySourceBytes(bytes);
    if (outcome.applied) showResults();
    showStatus(`${source}: ${outcome.text}`);
}

async function applySourceFile(file) {
    let bytes;
    try {
        bytes = new Uint8Array(await file.arrayBuffer());
    } catch {
        showStatus(`${file.name}: ${describeUnreadableEdid()}`);
        return;
    }
    applySource(bytes, file.name);
}

function applySourceText() {
    applySource(textBytes(document.getElementById("source-text").value, sourceTextLimit()), "Pasted text");
}

function closeDialog() {
    g_closed = true;
    document.getElementById("desk").remove();
    document.getElementById("closed-note").hidden = false;
}

// Load opens the chooser; whether a file is confirmed or the choice is
// cancelled, what Reload does follows, so a cancel re-reads the earlier file.
function setUpLoad(chooser) {
    document.getElementById("IDC_LOAD").addEventListener("click", () => {
        // Emptied first, so that picking the same file again is a choice too.
        chooser.value = "";
        chooser.click();
    });
    chooser.addEventListener("change", () => {
        if (chooser.files.length > 0) g_chosenFile = chooser.files[0];
        runCommand(reloadProfile);
    });
    chooser.addEventListener("cancel", () => runCommand(reloadProfile));
}

// The file is taken as the choice is made, so that a choice made while the
// dialog is busy is the one applied; a cancelled choice does nothing.
function setUpSource(chooser) {
    document.getElementById("source-load").addEventListener("click", () => {
        chooser.value = "";
        chooser.click();
    });
    chooser.addEventListener("change", () => {
        const file = chooser.files[0];
        if (file) runCommand(() => applySourceFile(file));
    });
    document.getElementById("source-apply").addEventListener("click", () => runCommand(applySourceText));
}

export function setUpCommands() {
    setUpLoad(document.getElementById("profile-chooser"));
    setUpSource(document.getElementById("source-chooser"));
    const commands = [
        ["IDC_RELOAD", reloadProfile],
        ["IDC_CALC", calcBalance],
        ["IDC_CLOSE", closeDialog],
        ["caption-close", closeDialog],
    ];
    for (const [id, command] of commands) {
        document.getElementById(id).addEventListener("click", () => runCommand(command));
    }
    runCommand(initDialog);
}
