// The three results told to a screen reader after each calculation, through
// a polite live region: the fields themselves change silently.

const kResults = [["red", "IDC_BAL_RED"], ["green", "IDC_BAL_GREEN"], ["blue", "IDC_BAL_BLUE"]];

export function announceResults() {
    const parts = kResults.map(([name, id]) => `${name} ${document.getElementById(id).value}`);
    document.getElementById("results-announcement").textContent = `New balance: ${parts.join(", ")}`;
}
