// The dialog template as compiled into tintmend.exe, field by field.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Item {
    std::string className;
    unsigned id;
    std::string text;
    int x, y, cx, cy;
    uint32_t style, exStyle;
};

constexpr unsigned kNone = 0xFFFF;
constexpr uint32_t kLeft = 0x50020000, kCentre = 0x50020001, kInput = 0x50010081,
                   kResult = 0x50010881, kButton = 0x50010000;
constexpr uint32_t kPlainEx = 0x00000004, kEditEx = 0x00000204;

const Item kItems[] = {
    {"Static", kNone, "White",        4,  17, 24,  9, kLeft,   kPlainEx},
    {"Static", kNone, "Red",          4,  43, 24,  9, kLeft,   kPlainEx},
    {"Static", kNone, "Green",        4,  56, 24,  9, kLeft,   kPlainEx},
    {"Static", kNone, "Blue",         4,  69, 24,  9, kLeft,   kPlainEx},
    {"Static", kNone, "Gamma",        4,  82, 24,  9, kLeft,   kPlainEx},
    {"Static", kNone, "Reference",   28,   4, 88,  9, kCentre, kPlainEx},
    {"Static", kNone, "Target",     116,   4, 88,  9, kCentre, kPlainEx},
    {"Static", kNone, "Gamut",       28,  30, 88,  9, kCentre, kPlainEx},
    {"Static", kNone, "New Balance",116,  30, 88,  9, kCentre, kPlainEx},
    {"Static", kNone, "(",           28,  17,  6,  9, kCentre, kPlainEx},
    {"Edit",   1001,  "",            34,  17, 36,  9, kInput,  kEditEx},
    {"Static", kNone, ",",           70,  17,  4,  9, kCentre, kPlainEx},
    {"Edit",   1002,  "",            74,  17, 36,  9, kInput,  kEditEx},
    {"Static", kNone, ")",          110,  17,  6,  9, kCentre, kPlainEx},
    {"Static", kNone, "(",           28,  43,  6,  9, kCentre, kPlainEx},
    {"Edit",   1003,  "",            34,  43, 36,  9, kInput,  kEditEx},
    {"Static", kNone, ",",           70,  43,  4,  9, kCentre, kPlainEx},
    {"Edit",   1004,  "",            74,  43, 36,  9, kInput,  kEditEx},
    {"Static", kNone, ")",          110,  43,  6,  9, kCentre, kPlainEx},
    {"Static", kNone, "(",           28,  56,  6,  9, kCentre, kPlainEx},
    {"Edit",   1005,  "",            34,  56, 36,  9, kInput,  kEditEx},
    {"Static", kNone, ",",           70,  56,  4,  9, kCentre, kPlainEx},
    {"Edit",   1006,  "",            74,  56, 36,  9, kInput,  kEditEx},
    {"Static", kNone, ")",          110,  56,  6,  9, kCentre, kPlainEx},
    {"Static", kNone, "(",           28,  69,  6,  9, kCentre, kPlainEx},
    {"Edit",   1007,  "",            34,  69, 36,  9, kInput,  kEditEx},
    {"Static", kNone, ",",           70,  69,  4,  9, kCentre, kPlainEx},
    {"Edit",   1008,  "",            74,  69, 36,  9, kInput,  kEditEx},
    {"Static", kNone, ")",          110,  69,  6,  9, kCentre, kPlainEx},
    {"Edit",   1009,  "",            54,  82, 36,  9, kInput,  kEditEx},
    {"Static", kNone, "(",          116,  17,  6,  9, kCentre, kPlainEx},
    {"Edit",   1010,  "",           122,  17, 36,  9, kInput,  kEditEx},
    {"Static", kNone, ",",          158,  17,  4,  9, kCentre, kPlainEx},
    {"Edit",   1011,  "",           162,  17, 36,  9, kInput,  kEditEx},
    {"Static", kNone, ")",          198,  17,  6,  9, kCentre, kPlainEx},
    {"Static", kNone, "Red",        130,  43, 24,  9, kLeft,   kPlainEx},
    {"Static", kNone, "Green",      130,  56, 24,  9, kLeft,   kPlainEx},
    {"Static", kNone, "Blue",       130,  69, 24,  9, kLeft,   kPlainEx},
    {"Edit",   1012,  "",           154,  43, 36,  9, kResult, kEditEx},
    {"Edit",   1013,  "",           154,  56, 36,  9, kResult, kEditEx},
    {"Edit",   1014,  "",           154,  69, 36,  9, kResult, kEditEx},
    {"Button", 1015,  "Load",         2,  96, 48, 14, kButton, kPlainEx},
    {"Button", 1016,  "Reload",      54,  96, 48, 14, kButton, kPlainEx},
    {"Button", 1017,  "Calc.",      106,  96, 48, 14, kButton, kPlainEx},
    {"Button", 1018,  "Close",      158,  96, 48, 14, kButton, kPlainEx},
};

// A DLGTEMPLATE (not the extended form) read word by word.
struct TemplateReader {
    const uint8_t* p;
    const uint8_t* end;

    uint16_t Word() {
        if (p + 2 > end) throw std::out_of_range("template ends early");
        uint16_t w = static_cast<uint16_t>(p[0] | p[1] << 8);
        p += 2;
        return w;
    }
    uint32_t Dword() { uint32_t low = Word(); return low | uint32_t{Word()} << 16; }
    int Short() { return static_cast<int16_t>(Word()); }
    std::string Text() {  // zero-terminated UTF-16, here plain ASCII
        std::string s;
        for (uint16_t c = Word(); c != 0; c = Word()) s += static_cast<char>(c);
        return s;
    }
    // A name or an ordinal: 0 for none, 0xFFFF and a number, or text.
    std::string NameOrOrdinal() {
        uint16_t first = Word();
        if (first == 0) return "";
        if (first == 0xFFFF) return "#" + std::to_string(Word());
        p -= 2;
        return Text();
    }
    void AlignDword(const uint8_t* base) { p += (4 - (p - base) % 4) % 4; }
};

std::string ClassName(const std::string& nameOrOrdinal) {
    if (nameOrOrdinal == "#128") return "Button";
    if (nameOrOrdinal == "#129") return "Edit";
    if (nameOrOrdinal == "#130") return "Static";
    return nameOrOrdinal;  // a class given by name would fail the comparison
}

std::string ResourceName(LPCSTR name) {
    return IS_INTRESOURCE(name) ? std::to_string(reinterpret_cast<uintptr_t>(name)) : name;
}

// Collects "type/name/language" of every resource in the module.
BOOL CALLBACK AddLanguage(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR list) {
    reinterpret_cast<std::vector<std::string>*>(list)->push_back(
        ResourceName(type) + "/" + ResourceName(name) + "/" + std::to_string(language));
    return TRUE;
}
BOOL CALLBACK AddNames(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR list) {
    return EnumResourceLanguagesA(module, type, name, AddLanguage, list);
}
BOOL CALLBACK AddTypes(HMODULE module, LPSTR type, LONG_PTR list) {
    return EnumResourceNamesA(module, type, AddNames, list);
}

std::string ProgramPath() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\') + 1) + "tintmend.exe";
}

class CompiledTemplate : public testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExA(ProgramPath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr) << "cannot open " << ProgramPath();
    }
    void TearDown() override { if (module_) FreeLibrary(module_); }
    HMODULE module_ = nullptr;
};

TEST_F(CompiledTemplate, IsTheOnlyResourceAndIsJapanese) {
    std::vector<std::string> found;
    EnumResourceTypesA(module_, AddTypes, reinterpret_cast<LONG_PTR>(&found));
    // RT_DIALOG, IDD_MAIN, Japanese: no icon, version record or manifest.
    EXPECT_EQ(found, std::vector<std::string>{"5/101/1041"});
}

TEST_F(CompiledTemplate, MatchesTheLayoutFieldByField) {
    HRSRC resource = FindResourceExA(module_, MAKEINTRESOURCEA(5), MAKEINTRESOURCEA(101),
                                     MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
    ASSERT_NE(resource, nullptr) << "no dialog 101 in Japanese";
    auto* base = static_cast<const uint8_t*>(LockResource(LoadResource(module_, resource)));
    TemplateReader r{base, base + SizeofResource(module_, resource)};

    EXPECT_EQ(r.Dword(), 0x90C800C0u) << "dialog style";
    EXPECT_EQ(r.Dword(), 0x00000101u) << "dialog extended style";
    const int count = r.Word();
    EXPECT_EQ(count, 45);
    EXPECT_EQ(r.Short(), 0) << "x";
    EXPECT_EQ(r.Short(), 0) << "y";
    EXPECT_EQ(r.Short(), 208) << "width";
    EXPECT_EQ(r.Short(), 112) << "height";
    EXPECT_EQ(r.NameOrOrdinal(), "") << "menu";
    EXPECT_EQ(r.NameOrOrdinal(), "") << "class";
    EXPECT_EQ(r.Text(), "Tintmend") << "caption";
    EXPECT_EQ(r.Word(), 16) << "font size";
    EXPECT_EQ(r.Text(), "MS UI Gothic") << "font";

    for (int i = 0; i < count && i < 45; ++i) {
        const Item& want = kItems[i];
        SCOPED_TRACE("control " + std::to_string(i) + " \"" + want.text + "\"");
        r.AlignDword(base);
        EXPECT_EQ(r.Dword(), want.style) << "style";
        EXPECT_EQ(r.Dword(), want.exStyle) << "extended style";
        EXPECT_EQ(r.Short(), want.x) << "x";
        EXPECT_EQ(r.Short(), want.y) << "y";
        EXPECT_EQ(r.Short(), want.cx) << "width";
        EXPECT_EQ(r.Short(), want.cy) << "height";
        EXPECT_EQ(r.Word(), want.id) << "identifier";
        EXPECT_EQ(ClassName(r.NameOrOrdinal()), want.className) << "class";
        EXPECT_EQ(r.NameOrOrdinal(), want.text) << "text";
        EXPECT_EQ(r.Word(), 0) << "creation data";
    }
    EXPECT_LE(r.p, r.end);
}

}  // namespace
