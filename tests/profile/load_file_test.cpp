#include "explain/load_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "edid_builder.h"
#include "form/memory_form.h"
#include "edid/decode_edid.h"
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
constexpr LoadStatus kDirectoryRefusal = LoadStatus::kCannotOpen;
#else
constexpr LoadStatus kDirectoryRefusal = LoadStatus::kUnreadable;
#endif

TEST_F(EdidFileTest, ReadsUpTo32KiBAndRefusesWhatItCannotRead) {
    struct Case {
        const char* label;
        std::string path;
        LoadStatus status;
    };
    const Case cases[] = {
        {"binary", Write("edid", TypicalEdid()), LoadStatus::kApplied},
        {"hex text", Write("edid.txt", TextBytes(HexText(TypicalEdid(), " "))), LoadStatus::kApplied},
        {"exactly 32 KiB", Write("32k", Padded(32768)), LoadStatus::kApplied},
        {"one byte over 32 KiB", Write("32k+1", Padded(32769)), LoadStatus::kTooLarge},
        {"1 MiB", Write("1m", Padded(1 << 20)), LoadStatus::kTooLarge},
        {"empty file", Write("empty", {}), LoadStatus::kEmpty},
        {"empty path", "", LoadStatus::kCannotOpen},
        {"missing file", (dir_ / "gone").string(), LoadStatus::kCannotOpen},
        {"directory", dir_.string(), kDirectoryRefusal},
    };
    for (const Case& c : cases) {
        Form form = SentinelForm();
        const Form before = form;
        EXPECT_EQ(LoadSourceFile(&form, LoadSource::kEdid, c.path.c_str()).report.status, c.status) << c.label;
        ExpectUnchanged(form, c.status == LoadStatus::kApplied ? applied_ : before, c.label);
    }
}

// A stream is read from where it stands to its end and left open.
TEST_F(EdidFileTest, ReadsAStreamToItsEnd) {
    std::FILE* stream = std::fopen(Write("stream", TypicalEdid()).c_str(), "rb");
    ASSERT_NE(stream, nullptr);
    Form form = SentinelForm();
    EXPECT_EQ(LoadSourceStream(&form, LoadSource::kEdid, stream).report.status, LoadStatus::kApplied);
    ExpectUnchanged(form, applied_, "first read");
    // Read again at its end: nothing left, so nothing changes.
    LoadReport again = LoadSourceStream(&form, LoadSource::kEdid, stream).report;
    EXPECT_EQ(again.status, LoadStatus::kEmpty);
    ExpectUnchanged(form, applied_, "second read");
    EXPECT_EQ(std::fclose(stream), 0);
}

}  // namespace
