// tintmend-cli: the dialog's calculation for scripts and tests, through the
// same fields. Options act in the order given, as a person would in the
// dialog; the balance is calculated at start and once more at the end.

#include <cstdio>
#include <cstring>

#include "cli/options.h"
#include "colour/balance.h"
#include "form/memory_form.h"

namespace {

void PrintBalance(const Form& form) {
    std::printf("Red\t%s\n", FieldText(form, IDC_BAL_RED).c_str());
    std::printf("Green\t%s\n", FieldText(form, IDC_BAL_GREEN).c_str());
    std::printf("Blue\t%s\n", FieldText(form, IDC_BAL_BLUE).c_str());
}

void PrintFields(const Form& form) {
    for (FieldId id = kFirstFieldId; id <= kLastFieldId; ++id) {
        std::printf("%d\t%s\t%s\n", id, kFieldNames[id - kFirstFieldId], FieldText(form, id).c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    Session session;
    StartForm(&session.form);
    RunOptions(session, argc, argv);
    CalcBalance(&session.form);
    if (session.print_fields) {
        PrintFields(session.form);
    } else {
        PrintBalance(session.form);
    }
    return 0;
}
