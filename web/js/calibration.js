// "Save calibration...": the New Balance as the two files the companion's
// --write-cal and --write-profile write, made by the core and offered as
// downloads made in the browser (Blob URLs: nothing leaves the page), named
// after the target. The line under the button says what was saved or, when
// the results allow no calibration, why nothing was.
import { calibrationName, makeCalFile, makeProfileFile } from "./core.js";
import { showMessage } from "./status.js";

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

export function saveCalibration() {
    const cal = makeCalFile();
    const profile = makeProfileFile(Math.floor(Date.now() / 1000));
    const refused = cal.reason ?? profile.reason;
    if (refused) {
        showMessage(document.getElementById("calibration-status"), `No calibration: ${refused}`);
        return;
    }
    const name = calibrationName();
    offerDownload(profile.bytes, `${name}.icc`);
    offerDownload(cal.bytes, `${name}.cal`);
    showMessage(document.getElementById("calibration-status"), `Saved ${name}.icc and ${name}.cal`);
}
