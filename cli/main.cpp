// tintmend-cli: the dialog's calculation for scripts and tests, through the
// same fields. Options act in the order given, as a person would in the
// dialog; the balance is calculated at start and once more at the end.

#include <cstdio>
#include <cstring>

#include "cli/print_results.h"
#include "cli/options.h"
#include "cli/save_calibration.h"
#include "colour/balance.h"
#include "form/memory_form.h"

namespace {

void PrintFields(const Form& form) {
    for (FieldId id = kFirstFieldId; id <= kLastFieldId; ++id) {
        std::printf("%d\t%s\t%s\n", id, kFieldNames[id - kFirstFieldId], FieldText(form, id).c_str());
    }
}

// The JSON object, or the fields or the balance and the explanation.
void ShowResults(const Session& session, const Account& account) {
    if (session.json) {
        PrintJson(session, account);
        return;
    }
    if (session.print_fields) {
        PrintFields(session.form);
    } else {
        PrintBalance(session, account);
    }
    if (session.explain) PrintExplanation(session, account);
}

}  // namespace

// Whatever is printed, the fields and the exit code are the calculation's
// alone: the account only reads them.
int main(int argc, char** argv) {
    Session session;
    StartForm(&session.form);
    RunOptions(session, argc, argv);
    CalcBalance(&session.form);
    const Account account = MakeAccount(&session.form, session.gains);
    // Warnings show whatever was asked for, and change neither stdout nor the
    // exit code; before the files, since a refusal may point to them.
    const bool files = session.cal_path != nullptr || session.profile_path != nullptr;
    if (files) PrintWarnings(account);
    if (SaveCalibrationFiles(session)) return 0;
    ShowResults(session, account);
    if (!files) PrintWarnings(account);
    return 0;
}
