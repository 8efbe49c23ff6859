// The panel under the results: what the numbers mean, as the companion's
// --explain says it (the core composes the text), with the monitor's present
// gain settings giving the new ones, and the warnings in plain words. It is
// brought up to date after every calculation and as the gains are typed.
import { describeAccount } from "./core.js";

const kGainInputs = ["gain-red", "gain-green", "gain-blue"];

// Digits as their number; NaN for anything else.
function readWhole(id) {
    const text = document.getElementById(id).value.trim();
    return /^\d+$/.test(text) ? Number(text) : NaN;
}

export function updateAccount() {
    const account = describeAccount(kGainInputs.map(readWhole), readWhole("gain-top"));
    document.getElementById("account-text").textContent = account.text.trimEnd();
    const list = document.getElementById("account-warnings");
    list.replaceChildren(...account.warnings.map((warning) => {
        const item = document.createElement("li");
        item.dataset.code = warning.code;
        item.textContent = warning.words;
        return item;
    }));
}

export function setUpAccount() {
    for (const id of [...kGainInputs, "gain-top"]) {
        document.getElementById(id).addEventListener("input", updateAccount);
    }
}
