// What the page's steps show beyond the dialog: the target chosen by a name
// or a temperature (typed by the core, and remembered so that the files are
// named after it while the fields still hold it), and the words of each step.
#include "page_steps.h"

#include <emscripten/emscripten.h>

#include <cstring>

#include "colour/named_whites.h"
#include "explain/describe_steps.h"
#include "explain/target_word.h"

namespace {

const Dialog kPageDialog = nullptr;

// The target as last chosen by a word, and the texts it typed: while the
// target fields still hold them, the files are named after the choice.
struct ChosenTarget {
    char name[kCalibrationNameSize];
    char x[kFieldBufferSize];
    char y[kFieldBufferSize];
};
ChosenTarget g_chosen;

char g_calibrationName[kCalibrationNameSize];
char g_targetWords[kStepTextSize];
char g_newSettings[kStepTextSize];
char g_accountProse[kStepTextSize];

void RememberChoice() {
    GetFieldText(kPageDialog, IDC_TARGET_WHITE_X, g_chosen.x, static_cast<int>(sizeof g_chosen.x));
    GetFieldText(kPageDialog, IDC_TARGET_WHITE_Y, g_chosen.y, static_cast<int>(sizeof g_chosen.y));
}

bool IsChoiceStanding() {
    char x[kFieldBufferSize];
    char y[kFieldBufferSize];
    GetFieldText(kPageDialog, IDC_TARGET_WHITE_X, x, static_cast<int>(sizeof x));
    GetFieldText(kPageDialog, IDC_TARGET_WHITE_Y, y, static_cast<int>(sizeof y));
    return g_chosen.name[0] != '\0' && std::strcmp(x, g_chosen.x) == 0 && std::strcmp(y, g_chosen.y) == 0;
}

}  // namespace

void DescribePageSteps(const GainSettings& gains, const Account& account) {
    DescribeTargetWhite(account, g_targetWords);
    DescribeNewSettings(gains, account, g_newSettings);
    DescribeAccountProse(account, g_accountProse);
}

extern "C" {

// Both files' name without its ending: after the target as chosen while the
// fields hold it, otherwise after the target as the core reads it.
EMSCRIPTEN_KEEPALIVE const char* CalibrationName() {
    if (IsChoiceStanding()) return g_chosen.name;
    NameCalibrationFiles(kPageDialog, g_calibrationName);
    return g_calibrationName;
}

// The named whites, for the chooser's buttons: how many, and each one's name.
EMSCRIPTEN_KEEPALIVE int CountNamedWhites() { return kNamedWhiteCount; }

EMSCRIPTEN_KEEPALIVE const char* NameNamedWhite(int index) {
    return index >= 0 && index < kNamedWhiteCount ? kNamedWhites[index].name : "";
}

// Types a named white into the target fields, as the companion's --target
// does: five-decimal texts. The caller presses Calc.
EMSCRIPTEN_KEEPALIVE void TypeNamedWhite(int index) {
    if (index < 0 || index >= kNamedWhiteCount) return;
    TypeTargetWhite(kPageDialog, kNamedWhites[index].white);
    NameCalibrationFilesAfterWhite(kNamedWhites[index].name, g_chosen.name);
    RememberChoice();
}

// Types the white of a temperature on the daylight (planckian 0) or the
// blackbody locus; 0, with nothing typed, when the locus has no such point
// (LocusRange then says where it runs).
EMSCRIPTEN_KEEPALIVE int TypeTemperature(double kelvin, int planckian) {
    if (TypeTargetTemperature(kPageDialog, kelvin, planckian != 0) != TargetWordStatus::kTyped) return 0;
    NameCalibrationFilesAfterTemperature(kelvin, planckian != 0, g_chosen.name);
    RememberChoice();
    return 1;
}

// The last account's words for the steps (DescribeAccount composes them).
EMSCRIPTEN_KEEPALIVE const char* TargetWords() { return g_targetWords; }
EMSCRIPTEN_KEEPALIVE const char* NewSettings() { return g_newSettings; }
EMSCRIPTEN_KEEPALIVE const char* AccountProse() { return g_accountProse; }

}  // extern "C"
