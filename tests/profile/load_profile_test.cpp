#include "profile/profile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "form/memory_form.h"
#include "profile_builder.h"
#include "profile_test_form.h"
#include "temp_dir_test.h"

namespace {

namespace fs = std::filesystem;

class LoadProfileTest : public TempDirTest {
protected:
    static void Choose(const std::string& path) {
        std::snprintf(g_profilePath, sizeof g_profilePath, "%s", path.c_str());
    }
};

TEST_F(LoadProfileTest, ReloadBeforeAnyChoiceDoesNothing) {
    std::memset(g_profilePath, 0, sizeof g_profilePath);
    Form form = SentinelForm();
    const Form before = form;
    LoadProfile(&form);
    ExpectUnchanged(form, before, "empty path");
}

TEST_F(LoadProfileTest, ReloadRestoresTheProfileButKeepsTheTarget) {
    Choose(Write("display.icc", TypicalDisplayProfile()));
    Form form = SentinelForm();
    LoadProfile(&form);
    const Form loaded = form;
    EXPECT_EQ(FieldText(form, IDC_RED_X), "0.64845");
    SetFieldText(&form, IDC_RED_X, "0.7");
    SetFieldText(&form, IDC_TARGET_WHITE_X, "0.3");
    LoadProfile(&form);
    EXPECT_EQ(FieldText(form, IDC_RED_X), "0.64845");
    EXPECT_EQ(FieldText(form, IDC_TARGET_WHITE_X), "0.3");
    EXPECT_NE(FieldText(form, IDC_BAL_RED), FieldText(loaded, IDC_BAL_RED));  // recalculated for 0.3
}

TEST_F(LoadProfileTest, ReloadReadsTheFileAgain) {
    std::string path = Write("display.icc", BuildProfile({{"gTRC", GammaTag(0x0233)}}));
    Form form = SentinelForm();
    EXPECT_EQ(LoadProfileFrom(&form, path.c_str()).status, LoadStatus::kApplied);
    EXPECT_EQ(FieldText(form, IDC_GAMMA), "2.19922");
    Write("display.icc", BuildProfile({{"gTRC", GammaTag(0x01C4)}}));
    LoadProfileFrom(&form, path.c_str());
    EXPECT_EQ(FieldText(form, IDC_GAMMA), "1.76563");
}

// Windows will not open a directory as a file; elsewhere it opens and fails to read.
#ifdef _WIN32
constexpr LoadStatus kDirectoryRefusal = LoadStatus::kCannotOpen;
#else
constexpr LoadStatus kDirectoryRefusal = LoadStatus::kUnreadable;
#endif

TEST_F(LoadProfileTest, RefusesFilesItCannotHoldWithoutChangingAnything) {
    struct Case {
        const char* label;
        std::string path;
        LoadStatus status;
    };
    std::vector<Case> cases = {
        {"empty path", "", LoadStatus::kCannotOpen},
        {"missing file", (dir_ / "gone.icc").string(), LoadStatus::kCannotOpen},
        {"directory", dir_.string(), kDirectoryRefusal},
        {"empty file", Write("empty.icc", {}), LoadStatus::kEmpty},
        {"printer profile", Write("printer.icc", BuildProfile({}, "prtr")), LoadStatus::kNotDisplayClass},
        {"text file", Write("notes.txt", Bytes(200, 'a')), LoadStatus::kNotIcc},
    };
    // A file whose reported length is larger than what a read returns is read
    // as it stands.
    if (fs::exists("/sys/kernel/mm/transparent_hugepage/enabled")) {
        cases.push_back({"sysfs file", "/sys/kernel/mm/transparent_hugepage/enabled", LoadStatus::kTruncatedHeader});
    }
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
    // A sparse file of 8 TiB, which no allocation can hold, where the file
    // system allows one (the WebAssembly build's cannot size one past 4 GiB).
    std::string huge = Write("huge.icc", {});
    std::error_code error;
    fs::resize_file(huge, uintmax_t{1} << 43, error);
    if (!error) cases.push_back({"huge file", huge, LoadStatus::kNoMemory});
#endif
    for (const Case& c : cases) {
        Form form = SentinelForm();
        const Form before = form;
        Choose(c.path);
        EXPECT_EQ(LoadProfileFrom(&form, c.path.c_str()).status, c.status) << c.label;
        LoadProfile(&form);
        ExpectUnchanged(form, before, c.label);
    }
}

}  // namespace
