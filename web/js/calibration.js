// "Save calibration...": the New Balance as the two files the companion's
// --write-cal and --write-profile write, made by the core and offered as
// downloads made in the browser (Blob URLs: nothing leaves the page), named
// after the target. When the results allow no calibration, the status line
// says why and nothing is offered.
import { makeCalFile, makeProfileFile, readFieldNumber } from "./core.js";

const IDC_TARGET_WHITE_X = 1010;
const IDC_TARGET_WHITE_Y = 1011;

function showStatus(text) {
    document.getElementById("calibration-status").textContent = text;
}

function offerDownload(bytes, name) {
    const url = URL.createObjectURL(new Blob([bytes], { type: "application/octet-stream" }));
    const link = document.createElement("a");
    link.href = url;
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    // The download has taken its copy once the click's task is over.
    setTimeout(() => URL.revokeObjectURL(url), 0);
}

// "tintmend-white-0.28310-0.29710", from the target as the core reads it.
function baseName() {
    const x = readFieldNumber(IDC_TARGET_WHITE_X).toFixed(5);
    const y = readFieldNumber(IDC_TARGET_WHITE_Y).toFixed(5);
    return `tintmend-white-${x}-${y}`;
}

export function saveCalibration() {
    const cal = makeCalFile();
    const profile = makeProfileFile(Math.floor(Date.now() / 1000));
    const refused = cal.reason ?? profile.reason;
    if (refused) {
        showStatus(`No calibration: ${refused}`);
        return;
    }
    const name = baseName();
    offerDownload(profile.bytes, `${name}.icc`);
    offerDownload(cal.bytes, `${name}.cal`);
    showStatus(`Saved ${name}.icc and ${name}.cal`);
}
