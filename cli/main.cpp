// tintmend-cli: the dialog's calculation for scripts and tests, through the
// same fields. Options act in the order given, as a person would in the
// dialog; the balance is calculated at start and once more at the end.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "colour/balance.h"
#include "form/memory_form.h"
#include "profile/edid_file.h"
#include "profile/profile.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

const char kUsage[] =
    "usage: tintmend-cli [option]...\n"
    "  --set ID=TEXT        type TEXT into input field ID (1001 to 1011)\n"
    "  --white X,Y          reference white point (fields 1001, 1002)\n"
    "  --red X,Y            red primary (1003, 1004)\n"
    "  --green X,Y          green primary (1005, 1006)\n"
    "  --blue X,Y           blue primary (1007, 1008)\n"
    "  --gamma G            display gamma (1009)\n"
    "  --profile FILE       load an ICC display profile, as the dialog's Reload\n"
    "                       would with FILE chosen (fields 1001 to 1009)\n"
    "  --edid FILE          read a monitor's EDID, binary or hex text, into fields\n"
    "                       1001 to 1009 as a profile would; - reads standard input\n"
    "  --target X,Y         target white point (1010, 1011)\n"
    "  --fields             print all fourteen fields as ID, name and text\n"
    "  --version            show the version\n"
    "  -h, --help           show this help\n"
    "Prints the New Balance as three lines: Red, Green, Blue.\n"
    "Where a monitor's EDID is:\n"
    "  Linux    the file /sys/class/drm/card*-*/edid\n"
    "  Windows  the registry value EDID under the monitor's key\n"
    "           HKLM\\SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\...\\Device Parameters\n"
    "  macOS    hex text from: ioreg -lw0 -r -c AppleDisplay\n"
    "  X11      hex text from: xrandr --verbose\n";

constexpr int kExitUsage = 2;
constexpr int kExitRefused = 1;

// The options that type an (x, y) pair into two adjacent fields.
struct PairOption {
    const char* name;
    FieldId x_field;
};

const PairOption kPairOptions[] = {
    {"--white", IDC_REF_WHITE_X}, {"--red", IDC_RED_X},   {"--green", IDC_GREEN_X},
    {"--blue", IDC_BLUE_X},       {"--target", IDC_TARGET_WHITE_X},
};

[[noreturn]] void FailUsage(const std::string& reason) {
    std::fprintf(stderr, "tintmend-cli: %s\n%s", reason.c_str(), kUsage);
    std::exit(kExitUsage);
}

// "ID=TEXT" with ID an input field; TEXT goes in verbatim.
void TypeFieldAssignment(Dialog dlg, const char* arg) {
    const char* equals = std::strchr(arg, '=');
    if (equals == nullptr) FailUsage(std::string("--set wants ID=TEXT, not '") + arg + "'");
    std::string id_text(arg, equals);
    char* end = nullptr;
    long id = std::strtol(id_text.c_str(), &end, 10);
    if (id_text.empty() || *end != '\0' || id < kFirstFieldId || id > IDC_TARGET_WHITE_Y) {
        FailUsage("--set: '" + id_text + "' is not an input field (1001 to 1011)");
    }
    SetFieldText(dlg, static_cast<FieldId>(id), equals + 1);
}

// "X,Y", split at the first comma.
void TypePair(Dialog dlg, const PairOption& option, const char* arg) {
    const char* comma = std::strchr(arg, ',');
    if (comma == nullptr) FailUsage(std::string(option.name) + " wants X,Y, not '" + arg + "'");
    SetFieldText(dlg, option.x_field, std::string(arg, comma).c_str());
    SetFieldText(dlg, option.x_field + 1, comma + 1);
}

// A refused profile ends the run: the reason on stderr, nothing on stdout.
void LoadProfileOption(Dialog dlg, const char* path) {
    ProfileReport report = LoadProfileFrom(dlg, path);
    if (report.status == ProfileStatus::kApplied) return;
    char reason[kProfileReasonSize];
    DescribeProfileReport(report, reason);
    std::fprintf(stderr, "tintmend-cli: %s: %s\n", path, reason);
    std::exit(kExitRefused);
}

// Standard input in binary mode, where the C library would otherwise turn
// CR LF into LF and stop at a 0x1A byte.
void UseBinaryStandardInput() {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
#endif
}

// As a refused profile: the reason on stderr, nothing on stdout.
void LoadEdidOption(Dialog dlg, const char* path) {
    EdidReport report;
    if (std::strcmp(path, "-") == 0) {
        UseBinaryStandardInput();
        report = LoadEdidFromStream(dlg, stdin);
    } else {
        report = LoadEdidFrom(dlg, path);
    }
    if (report.status == EdidStatus::kApplied) return;
    char reason[kEdidReasonSize];
    DescribeEdidReport(report, reason);
    std::fprintf(stderr, "tintmend-cli: %s: %s\n", path, reason);
    std::exit(kExitRefused);
}

const PairOption* FindPairOption(const char* name) {
    for (const PairOption& option : kPairOptions) {
        if (std::strcmp(option.name, name) == 0) return &option;
    }
    return nullptr;
}

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
    Form form;
    Dialog dlg = &form;
    ApplyDefaultTexts(dlg);
    CalcBalance(dlg);

    bool print_fields = false;
    for (int i = 1; i < argc; ++i) {
        const char* option = argv[i];
        if (std::strcmp(option, "-h") == 0 || std::strcmp(option, "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(option, "--version") == 0) {
            std::puts("tintmend-cli " TINTMEND_VERSION);
            return 0;
        }
        if (std::strcmp(option, "--fields") == 0) {
            print_fields = true;
            continue;
        }
        const PairOption* pair = FindPairOption(option);
        bool is_set = std::strcmp(option, "--set") == 0;
        bool is_gamma = std::strcmp(option, "--gamma") == 0;
        bool is_profile = std::strcmp(option, "--profile") == 0;
        bool is_edid = std::strcmp(option, "--edid") == 0;
        if (pair == nullptr && !is_set && !is_gamma && !is_profile && !is_edid) {
            FailUsage(std::string("unknown option '") + option + "'");
        }
        if (i + 1 >= argc) FailUsage(std::string(option) + " needs a value");
        const char* value = argv[++i];
        if (is_set) {
            TypeFieldAssignment(dlg, value);
        } else if (is_profile) {
            LoadProfileOption(dlg, value);
        } else if (is_edid) {
            LoadEdidOption(dlg, value);
        } else if (is_gamma) {
            SetFieldText(dlg, IDC_GAMMA, value);
        } else {
            TypePair(dlg, *pair, value);
        }
    }

    CalcBalance(dlg);
    if (print_fields) {
        PrintFields(form);
    } else {
        PrintBalance(form);
    }
    return 0;
}
