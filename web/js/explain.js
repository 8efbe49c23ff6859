// The steps' results: the target white in words (step 2), the new settings
// from the monitor's present gains, shown large, the account as sentences
// and in full (step 3), and each warning beside the step it concerns. The
// core composes every text; they are brought up to date after every
// calculation and as the gains are typed.
import { calibrationBase, describeAccount, describeSteps, dropDisplayResponse } from "./core.js";

const kGainInputs = ["gain-red", "gain-green", "gain-blue"];
// Where each warning is shown: a target off the gamut in step 2, a result
// past full drive in step 3, and what the display's numbers say in step 1.
const kWarningSteps = {
    "target-outside-gamut": "warnings-white",
    "result-above-one": "warnings-set",
};
const kWarningLists = ["warnings-display", "warnings-white", "warnings-set"];

// Digits as their number; NaN for anything else.
function readWhole(id) {
    const text = document.getElementById(id).value.trim();
    return /^\d+$/.test(text) ? Number(text) : NaN;
}

function showWarnings(warnings) {
    const items = Object.fromEntries(kWarningLists.map((id) => [id, []]));
    for (const warning of warnings) {
        const item = document.createElement("li");
        item.dataset.code = warning.code;
        item.textContent = warning.words;
        items[kWarningSteps[warning.code] || "warnings-display"].push(item);
    }
    for (const id of kWarningLists) document.getElementById(id).replaceChildren(...items[id]);
}

export function updateAccount() {
    const account = describeAccount(kGainInputs.map(readWhole), readWhole("gain-top"));
    const steps = describeSteps();
    document.getElementById("account-text").textContent = account.text.trimEnd();
    document.getElementById("target-words").textContent = steps.target;
    document.getElementById("new-settings").textContent = steps.settings;
    document.getElementById("account-prose").textContent = steps.prose;
    document.getElementById("calibration-base").textContent = calibrationBase();
    showWarnings(account.warnings);
}

export function setUpAccount() {
    document.getElementById("IDC_GAMMA").addEventListener("input", dropDisplayResponse);
    for (const id of [...kGainInputs, "gain-top"]) {
        document.getElementById(id).addEventListener("input", updateAccount);
    }
}
