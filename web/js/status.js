// The page's one status line, under the dialog: what the last load (a
// profile, an EDID, or any other source of reference values) did, or why it
// was refused. Each load replaces it. It stays while the fields still hold
// what it describes: a Calc. with nothing typed keeps it, and the first Calc.
// after any field was edited clears it.

let g_line = null;
let g_edited = false;

export function setUpStatus(line, client) {
    g_line = line;
    client.addEventListener("input", noteFieldEdit);
}

// Shown as the account of a load: the fields now hold what it describes.
export function showStatus(text) {
    g_line.textContent = text;
    g_edited = false;
}

export function noteFieldEdit() {
    g_edited = true;
}

// Called by every calculation.
export function settleStatus() {
    if (!g_edited) return;
    g_line.textContent = "";
    g_edited = false;
}
