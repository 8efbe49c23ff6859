#include "cli/options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "profile/edid_file.h"
#include "profile/profile.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// A handler gets the option's argument, or null for an option that takes none.
using OptionHandler = void (*)(Session& session, const char* value);

struct Option {
    const char* name;
    const char* argument;  // null for an option without one
    const char* help;      // continued lines start with a line break
    OptionHandler handle;
};

[[noreturn]] void FailUsage(const std::string& reason);

// "ID=TEXT" with ID an input field; TEXT goes in verbatim.
void TypeFieldAssignment(Session& session, const char* arg) {
    const char* equals = std::strchr(arg, '=');
    if (equals == nullptr) FailUsage(std::string("--set wants ID=TEXT, not '") + arg + "'");
    std::string id_text(arg, equals);
    char* end = nullptr;
    long id = std::strtol(id_text.c_str(), &end, 10);
    if (id_text.empty() || *end != '\0' || id < kFirstFieldId || id > IDC_TARGET_WHITE_Y) {
        FailUsage("--set: '" + id_text + "' is not an input field (1001 to 1011)");
    }
    SetFieldText(&session.form, static_cast<FieldId>(id), equals + 1);
}

// "X,Y", split at the first comma, typed into the pair from x_field.
void TypePair(Session& session, const char* option, FieldId x_field, const char* arg) {
    const char* comma = std::strchr(arg, ',');
    if (comma == nullptr) FailUsage(std::string(option) + " wants X,Y, not '" + arg + "'");
    SetFieldText(&session.form, x_field, std::string(arg, comma).c_str());
    SetFieldText(&session.form, x_field + 1, comma + 1);
}

void TypeWhite(Session& s, const char* arg) { TypePair(s, "--white", IDC_REF_WHITE_X, arg); }
void TypeRed(Session& s, const char* arg) { TypePair(s, "--red", IDC_RED_X, arg); }
void TypeGreen(Session& s, const char* arg) { TypePair(s, "--green", IDC_GREEN_X, arg); }
void TypeBlue(Session& s, const char* arg) { TypePair(s, "--blue", IDC_BLUE_X, arg); }
void TypeTarget(Session& s, const char* arg) { TypePair(s, "--target", IDC_TARGET_WHITE_X, arg); }
void TypeGamma(Session& s, const char* arg) { SetFieldText(&s.form, IDC_GAMMA, arg); }

// A refused file ends the run: the reason on stderr, nothing on stdout.
[[noreturn]] void FailRefused(const char* path, const char* reason) {
    std::fprintf(stderr, "tintmend-cli: %s: %s\n", path, reason);
    std::exit(kExitRefused);
}

void LoadProfileOption(Session& session, const char* path) {
    ProfileReport report = LoadProfileFrom(&session.form, path);
    if (report.status == ProfileStatus::kApplied) return;
    char reason[kProfileReasonSize];
    DescribeProfileReport(report, reason);
    FailRefused(path, reason);
}

// Standard input in binary mode, where the C library would otherwise turn
// CR LF into LF and stop at a 0x1A byte.
void UseBinaryStandardInput() {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
#endif
}

void LoadEdidOption(Session& session, const char* path) {
    EdidReport report;
    if (std::strcmp(path, "-") == 0) {
        UseBinaryStandardInput();
        report = LoadEdidFromStream(&session.form, stdin);
    } else {
        report = LoadEdidFrom(&session.form, path);
    }
    if (report.status == EdidStatus::kApplied) return;
    char reason[kEdidReasonSize];
    DescribeEdidReport(report, reason);
    FailRefused(path, reason);
}

void ShowFields(Session& session, const char*) { session.print_fields = true; }
[[noreturn]] void ShowHelp(Session&, const char*);

[[noreturn]] void ShowVersion(Session&, const char*) {
    std::puts("tintmend-cli " TINTMEND_VERSION);
    std::exit(0);
}

const Option kOptions[] = {
    {"--set", "ID=TEXT", "type TEXT into input field ID (1001 to 1011)", TypeFieldAssignment},
    {"--white", "X,Y", "reference white point (fields 1001, 1002)", TypeWhite},
    {"--red", "X,Y", "red primary (1003, 1004)", TypeRed},
    {"--green", "X,Y", "green primary (1005, 1006)", TypeGreen},
    {"--blue", "X,Y", "blue primary (1007, 1008)", TypeBlue},
    {"--gamma", "G", "display gamma (1009)", TypeGamma},
    {"--profile", "FILE",
     "load an ICC display profile, as the dialog's Reload\nwould with FILE chosen (fields 1001 to 1009)",
     LoadProfileOption},
    {"--edid", "FILE",
     "read a monitor's EDID, binary or hex text, into fields\n1001 to 1009 as a profile would; - reads standard input",
     LoadEdidOption},
    {"--target", "X,Y", "target white point (1010, 1011)", TypeTarget},
    {"--fields", nullptr, "print all fourteen fields as ID, name and text", ShowFields},
    {"--version", nullptr, "show the version", ShowVersion},
    {"--help", nullptr, "show this help (also -h)", ShowHelp},
};

const char kUsageTail[] =
    "Prints the New Balance as three lines: Red, Green, Blue.\n"
    "Where a monitor's EDID is:\n"
    "  Linux    the file /sys/class/drm/card*-*/edid\n"
    "  Windows  the registry value EDID under the monitor's key\n"
    "           HKLM\\SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\...\\Device Parameters\n"
    "  macOS    hex text from: ioreg -lw0 -r -c AppleDisplay\n"
    "  X11      hex text from: xrandr --verbose\n";

// The help column: options and their arguments on the left, what they do
// from here on, continued lines indented to it.
constexpr int kHelpColumn = 23;

void PrintUsage(std::FILE* out) {
    std::fputs("usage: tintmend-cli [option]...\n", out);
    for (const Option& option : kOptions) {
        std::string left = std::string("  ") + option.name;
        if (option.argument != nullptr) left = left + " " + option.argument;
        std::fprintf(out, "%-*s", kHelpColumn, left.c_str());
        for (const char* c = option.help; *c != '\0'; ++c) {
            if (*c == '\n') {
                std::fprintf(out, "\n%*s", kHelpColumn, "");
            } else {
                std::fputc(*c, out);
            }
        }
        std::fputc('\n', out);
    }
    std::fputs(kUsageTail, out);
}

void ShowHelp(Session&, const char*) {
    PrintUsage(stdout);
    std::exit(0);
}

void FailUsage(const std::string& reason) {
    std::fprintf(stderr, "tintmend-cli: %s\n", reason.c_str());
    PrintUsage(stderr);
    std::exit(kExitUsage);
}

const Option* FindOption(const char* name) {
    if (std::strcmp(name, "-h") == 0) name = "--help";
    for (const Option& option : kOptions) {
        if (std::strcmp(option.name, name) == 0) return &option;
    }
    return nullptr;
}

}  // namespace

void RunOptions(Session& session, int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const Option* option = FindOption(argv[i]);
        if (option == nullptr) FailUsage(std::string("unknown option '") + argv[i] + "'");
        const char* value = nullptr;
        if (option->argument != nullptr) {
            if (i + 1 >= argc) FailUsage(std::string(argv[i]) + " needs a value");
            value = argv[++i];
        }
        option->handle(session, value);
    }
}
