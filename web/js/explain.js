// The panel under the results: what the numbers mean, as the companion's
// --explain says it (the core composes the text), with the monitor's present
// gain settings giving the new ones, and the warnings in plain words. It is
// brought up to date after every calculation and as the gains are typed.
import { describeAccount, largestGainScale } from "./core.js";

const kGainInputs = ["gain-red", "gain-green", "gain-blue"];

// A whole number up to the core's largest gain scale, or null.
function readWhole(id) {
    const text = document.getElementById(id).value.trim();
    return /^\d+$/.test(text) && Number(text) <= largestGainScale() ? Number(text) : null;
}

// The present settings and the scale's top, or null unless all four are
// whole numbers with each setting within the scale.
function readGains() {
    const top = readWhole("gain-top");
    const present = kGainInputs.map(readWhole);
    if (top === null || top < 1 || present.some((gain) => gain === null || gain > top)) return null;
    return { present, top };
}

export function updateAccount() {
    const account = describeAccount(readGains());
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
