// The status lines: each message is shown where its action was (a load in
// step 1, a saved calibration in step 3) and brought into view. A load's
// line says what the last load did, or why it was refused, and stays while
// the fields still hold what it describes: a Calc. with nothing typed keeps
// it, and the first Calc. after any field was edited clears it. Between an
// edit and that Calc., step 3 says its results are from before the edit.

let g_line = null;
let g_edited = false;

export function setUpStatus(line, client) {
    g_line = line;
    client.addEventListener("input", noteFieldEdit);
}

export function showMessage(line, text) {
    line.textContent = text;
    if (text) line.scrollIntoView({ block: "nearest" });
}

function showStale(stale) {
    document.getElementById("stale-note").hidden = !stale;
    document.getElementById("step-set").parentElement.classList.toggle("stale", stale);
}

// Shown as the account of a load: the fields now hold what it describes.
export function showStatus(text) {
    showMessage(g_line, text);
    g_edited = false;
    showStale(false);
}

export function noteFieldEdit() {
    g_edited = true;
    showStale(true);
}

// Called by every calculation.
export function settleStatus() {
    showStale(false);
    if (!g_edited) return;
    g_line.textContent = "";
    g_edited = false;
}
