#include "cli/options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "colour/locus.h"
#include "colour/named_whites.h"
#include "form/number_text.h"
#include "explain/load_file.h"

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

// The largest gain scale taken: a DDC/CI control's 16-bit range.
constexpr long kMaxGainScale = 65535;

// ASCII letter case only, whatever the locale.
bool EqualsLowerCase(const char* text, const char* lower_case) {
    for (; *text != '\0' && *lower_case != '\0'; ++text, ++lower_case) {
        const char c = *text >= 'A' && *text <= 'Z' ? static_cast<char>(*text - 'A' + 'a') : *text;
        if (c != *lower_case) return false;
    }
    return *text == *lower_case;
}

const char kTargetForms[] =
    "X,Y, a name (D50, D55, D65, D75, A, E, DCI-P3), TK for daylight (4000K to 25000K) "
    "or TK:planckian for a blackbody (1000K to 25000K)";

// "6500K" or "2700K:planckian" (either letter case): the number as the
// fields read numbers, then K, then nothing or the locus. False for any other text.
bool ParseTemperature(const char* arg, double& kelvin, bool& planckian) {
    const size_t length = MeasureFieldNumber(arg);
    if (length == 0 || (arg[length] != 'K' && arg[length] != 'k')) return false;
    const char* rest = arg + length + 1;
    planckian = *rest != '\0';
    if (planckian && !EqualsLowerCase(rest, ":planckian")) return false;
    kelvin = ParseFieldNumber(arg);
    return true;
}

// The chromaticity a name or a temperature stands for; a usage error for a
// name not known or a temperature off its locus.
Chromaticity ResolveTargetWord(const char* arg) {
    if (const NamedWhite* white = FindNamedWhite(arg)) return white->white;
    double kelvin = 0.0;
    bool planckian = false;
    if (!ParseTemperature(arg, kelvin, planckian)) {
        FailUsage(std::string("--target wants ") + kTargetForms + ", not '" + arg + "'");
    }
    Chromaticity white = {0.0, 0.0};
    if (planckian ? CalcPlanckianChromaticity(kelvin, white) : CalcDaylightChromaticity(kelvin, white)) return white;
    FailUsage(std::string("--target: '") + arg + "' is off the " +
              (planckian ? "blackbody locus (1000K to 25000K)" : "daylight locus (4000K to 25000K; below, try TK:planckian)"));
}

// X,Y as typed, or a name or temperature typed as the five-decimal texts a
// person would type for it.
void TypeTarget(Session& s, const char* arg) {
    if (std::strchr(arg, ',') != nullptr) {
        TypePair(s, "--target", IDC_TARGET_WHITE_X, arg);
        return;
    }
    const Chromaticity white = ResolveTargetWord(arg);
    WriteFieldNumber(&s.form, IDC_TARGET_WHITE_X, white.x);
    WriteFieldNumber(&s.form, IDC_TARGET_WHITE_Y, white.y);
}
void TypeGamma(Session& s, const char* arg) { SetFieldText(&s.form, IDC_GAMMA, arg); }

// A refused file ends the run: the reason on stderr, nothing on stdout.
[[noreturn]] void FailRefused(const char* path, const char* reason) {
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

// A source from its file, or from standard input for "-". An applied load
// leaves "FILE: what the load set and kept" for --explain; a refused one ends
// the run.
void LoadSourceOption(Session& session, LoadSource source, const char* path) {
    SourceLoad load;
    if (std::strcmp(path, "-") == 0) {
        UseBinaryStandardInput();
        load = LoadSourceStream(&session.form, source, stdin);
    } else {
        load = LoadSourceFile(&session.form, source, path);
    }
    if (load.report.status != LoadStatus::kApplied) FailRefused(path, load.text);
    session.loads = session.loads + path + ": " + load.text + "\n";
}

void LoadProfileOption(Session& session, const char* path) { LoadSourceOption(session, LoadSource::kProfile, path); }
void LoadEdidOption(Session& session, const char* path) { LoadSourceOption(session, LoadSource::kEdid, path); }

// A whole decimal number from low to high, or a usage error.
long ParseWholeNumber(const char* option, const std::string& text, long low, long high) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < low || value > high) {
        FailUsage(std::string(option) + " wants whole numbers from " + std::to_string(low) + " to " +
                  std::to_string(high) + ", not '" + text + "'");
    }
    return value;
}

// Checked against --gain-max once all options are read, wherever it stands.
void TakeGains(Session& s, const char* arg) {
    const char* first = std::strchr(arg, ',');
    const char* second = first == nullptr ? nullptr : std::strchr(first + 1, ',');
    if (second == nullptr) FailUsage(std::string("--gains wants R,G,B, not '") + arg + "'");
    const std::string parts[3] = {std::string(arg, first), std::string(first + 1, second), second + 1};
    for (int k = 0; k < 3; ++k) s.gains.present[k] = ParseWholeNumber("--gains", parts[k], 0, kMaxGainScale);
    s.gains.given = true;
}

void TakeGainMax(Session& s, const char* arg) { s.gains.top = ParseWholeNumber("--gain-max", arg, 1, kMaxGainScale); }

void ShowFields(Session& session, const char*) { session.print_fields = true; }
void ShowExplanation(Session& session, const char*) { session.explain = true; }
void ShowJson(Session& session, const char*) { session.json = true; }

// Standard output can carry one file's bytes, not two.
void NoteOutput(const char*& path, const char* other, const char* value) {
    if (std::strcmp(value, "-") == 0 && other != nullptr && std::strcmp(other, "-") == 0) {
        FailUsage("only one of --write-cal and --write-profile can write to standard output");
    }
    path = value;
}

void NoteCalFile(Session& s, const char* path) { NoteOutput(s.cal_path, s.profile_path, path); }
void NoteProfileFile(Session& s, const char* path) { NoteOutput(s.profile_path, s.cal_path, path); }
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
    {"--target", "WHITE",
     "target white point (1010, 1011): X,Y; a name, D50, D55,\nD65, D75, A, E or DCI-P3; TK, a daylight temperature\n"
     "(6500K, 4000K to 25000K); or TK:planckian, a blackbody\n(2700K:planckian, 1000K to 25000K)",
     TypeTarget},
    {"--gains", "R,G,B", "the monitor's present gain settings: shows the new\nsettings beside the ratios", TakeGains},
    {"--gain-max", "N", "the top of the monitor's gain scale (default 100)", TakeGainMax},
    {"--explain", nullptr,
     "after the results, what they mean: temperatures, Duv,\npercentages, and warnings (on stderr) where the\n"
     "fields make no sense",
     ShowExplanation},
    {"--json", nullptr, "print one JSON object instead: fields, balance,\nwhites, gains and warnings", ShowJson},
    {"--write-cal", "FILE",
     "after all other options, write the New Balance as an\nArgyllCMS .cal file (for dispwin); - writes it to\nstandard output instead of the results",
     NoteCalFile},
    {"--write-profile", "FILE",
     "after all other options, write an ICC display profile\nwhose vcgt curves apply the New Balance; - as above",
     NoteProfileFile},
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

}  // namespace

void FailUsage(const std::string& reason) {
    std::fprintf(stderr, "tintmend-cli: %s\n", reason.c_str());
    PrintUsage(stderr);
    std::exit(kExitUsage);
}

namespace {

const Option* FindOption(const char* name) {
    if (std::strcmp(name, "-h") == 0) name = "--help";
    for (const Option& option : kOptions) {
        if (std::strcmp(option.name, name) == 0) return &option;
    }
    return nullptr;
}

void RunEachOption(Session& session, int argc, char** argv) {
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

}  // namespace

void RunOptions(Session& session, int argc, char** argv) {
    RunEachOption(session, argc, argv);
    // Checked once all options are read: --gain-max may follow --gains.
    for (long gain : session.gains.present) {
        if (gain > session.gains.top) {
            FailUsage("--gains: " + std::to_string(gain) + " is above the scale's top, --gain-max " +
                      std::to_string(session.gains.top));
        }
    }
}
