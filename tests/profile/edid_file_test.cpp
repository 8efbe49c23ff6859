#include "profile/edid_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "edid_builder.h"
#include "form/memory_form.h"
#include "profile/apply_edid.h"
#include "profile_test_form.h"
#include "temp_dir_test.h"

namespace {

class EdidFileTest : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        ApplyEdidBytes(&applied_, TypicalEdid().data(), kTypicalSize);
    }
    // The typical block, then zeros up to size bytes.
    static Bytes Padded(size_t size) {
        Bytes bytes(size, 0);
        const Bytes block = TypicalEdid();
        std::copy(block.begin(), block.end(), bytes.begin());
        return bytes;
    }
    static constexpr size_t kTypicalSize = 128;
    Form applied_ = SentinelForm();  // the typical block applied
};

// Windows will not open a directory as a file; elsewhere it opens and fails to read.
#ifdef _WIN32
constexpr EdidStatus kDirectoryRefusal = EdidStatus::kCannotOpen;
#else
constexpr EdidStatus kDirectoryRefusal = EdidStatus::kUnreadable;
#endif

TEST_F(EdidFileTest, ReadsUpTo32KiBAndRefusesWhatItCannotRead) {
    struct Case {
        const char* label;
        std::string path;
        EdidStatus status;
    };
    const Case cases[] = {
        {"binary", Write("edid", TypicalEdid()), EdidStatus::kApplied},
        {"hex text", Write("edid.txt", TextBytes(HexText(TypicalEdid(), " "))), EdidStatus::kApplied},
        {"exactly 32 KiB", Write("32k", Padded(32768)), EdidStatus::kApplied},
        {"one byte over 32 KiB", Write("32k+1", Padded(32769)), EdidStatus::kTooLarge},
        {"1 MiB", Write("1m", Padded(1 << 20)), EdidStatus::kTooLarge},
        {"empty file", Write("empty", {}), EdidStatus::kTooShort},
        {"empty path", "", EdidStatus::kCannotOpen},
        {"missing file", (dir_ / "gone").string(), EdidStatus::kCannotOpen},
        {"directory", dir_.string(), kDirectoryRefusal},
    };
    for (const Case& c : cases) {
        Form form = SentinelForm();
        const Form before = form;
        EXPECT_EQ(LoadEdidFrom(&form, c.path.c_str()).status, c.status) << c.label;
        ExpectUnchanged(form, c.status == EdidStatus::kApplied ? applied_ : before, c.label);
    }
}

// A stream is read from where it stands to its end and left open.
TEST_F(EdidFileTest, ReadsAStreamToItsEnd) {
    std::FILE* stream = std::fopen(Write("stream", TypicalEdid()).c_str(), "rb");
    ASSERT_NE(stream, nullptr);
    Form form = SentinelForm();
    EXPECT_EQ(LoadEdidFromStream(&form, stream).status, EdidStatus::kApplied);
    ExpectUnchanged(form, applied_, "first read");
    // Read again at its end: nothing left, so nothing changes.
    EdidReport again = LoadEdidFromStream(&form, stream);
    EXPECT_EQ(again.status, EdidStatus::kTooShort);
    EXPECT_EQ(again.count, 0u);
    ExpectUnchanged(form, applied_, "second read");
    EXPECT_EQ(std::fclose(stream), 0);
}

}  // namespace
