// The CGATS reader: a table's parts found among keywords, blocks, comments
// and further tables, and the source a text is taken for.
#include "source/cgats.h"

#include <gtest/gtest.h>

#include <string>

#include "explain/detect_source.h"

namespace {

CgatsText TextOf(const std::string& s) { return {reinterpret_cast<const unsigned char*>(s.data()), s.size()}; }

std::string SpanText(const std::string& s, CgatsSpan span) { return s.substr(span.offset, span.length); }

// What a reader of the table's first row sees: the identifier, COLOR_REP, the
// field count, where RGB_G stands, and RGB_G's value in every row, joined.
std::string DescribeTable(const std::string& s, size_t from, size_t& end) {
    CgatsTable table;
    const CgatsText text = TextOf(s);
    CgatsStatus status = ReadCgatsTable(text, from, table);
    if (status != CgatsStatus::kRead) return "status " + std::to_string(static_cast<int>(status));
    CgatsSpan rep = {0, 0};
    std::string out = SpanText(s, table.identifier) + "|";
    if (FindCgatsKeyword(text, table, "COLOR_REP", rep)) out += SpanText(s, rep);
    const size_t field = FindCgatsField(text, table, "RGB_G");
    out += "|" + std::to_string(table.field_count) + "|" + (field == kCgatsNoField ? "-" : std::to_string(field)) + "|";
    size_t at = table.data_begin;
    CgatsSpan value;
    CgatsRow row;
    while ((row = ReadCgatsRow(text, table, at, &field, 1, &value)) == CgatsRow::kRead) out += SpanText(s, value) + ",";
    if (row == CgatsRow::kShort) out += "short";
    end = table.end;
    return out;
}

TEST(Cgats, FindsATablesPartsAmongWhatItSkips) {
    const std::string format = "BEGIN_DATA_FORMAT\nRGB_R RGB_G RGB_B\nEND_DATA_FORMAT\n";
    const struct {
        const char* name;
        std::string text;
        std::string table;
    } cases[] = {
        {"keywords and a quoted value", "CTI3   \nDESCRIPTOR \"a b\"\nKEYWORD \"COLOR_REP\"\nCOLOR_REP \"RGB_XYZ\"\n" +
             format + "NUMBER_OF_SETS 2\nBEGIN_DATA\n1 2 3\n4 5 6\nEND_DATA\n", "CTI3|RGB_XYZ|3|1|2,5,"},
        {"an arguments block holding section words", "CTI3\nBEGIN_ARGYLL_COLPROF_ARGS\n-qm BEGIN_DATA COLOR_REP x\n"
             "END_ARGYLL_COLPROF_ARGS\nCOLOR_REP RGB\n" + format + "BEGIN_DATA\n1 2 3\nEND_DATA\n", "CTI3|RGB|3|1|2,"},
        {"no identifier, comments, rows across lines", "# made by hand\nNUMBER_OF_FIELDS 3\n" + format +
             "BEGIN_DATA\n1 2\n3 4 # END_DATA\n 5 6\nEND_DATA", "||3|1|2,5,"},
        {"a row cut short", format + "BEGIN_DATA\n1 2 3 4\nEND_DATA\n", "||3|1|2,short"},
        {"a field it lacks", "T\nBEGIN_DATA_FORMAT\nA B\nEND_DATA_FORMAT\nBEGIN_DATA\n1 2\nEND_DATA\n", "T||2|-|,"},
        {"no END_DATA", format + "BEGIN_DATA\n1 2 3\n", "status 4"},
        {"no END_DATA_FORMAT", "BEGIN_DATA_FORMAT\nRGB_R\nBEGIN_DATA\n", "status 3"},
        {"data before its format", "CTI3\nBEGIN_DATA\n1\nEND_DATA\n", "status 2"},
        {"only comments", "# nothing\n\n  # here\n", "status 1"},
    };
    for (const auto& c : cases) {
        size_t end = 0;
        EXPECT_EQ(DescribeTable(c.text, 0, end), c.table) << c.name;
    }
}

TEST(Cgats, ReadsEachTableOfAFileInTurn) {
    const std::string s = "CTI3\nCOLOR_REP RGB_XYZ\nBEGIN_DATA_FORMAT\nRGB_G\nEND_DATA_FORMAT\nBEGIN_DATA\n7\nEND_DATA\n\n"
                          "CAL    \nCOLOR_REP RGB\nBEGIN_DATA_FORMAT\nRGB_I RGB_G\nEND_DATA_FORMAT\nBEGIN_DATA\n"
                          "0 0.5 1 1.0\nEND_DATA\n";
    size_t end = 0;
    EXPECT_EQ(DescribeTable(s, 0, end), "CTI3|RGB_XYZ|1|0|7,");
    EXPECT_EQ(DescribeTable(s, end, end), "CAL|RGB|2|1|0.5,1.0,");
    EXPECT_EQ(DescribeTable(s, end, end), "status 1");
}

TEST(Cgats, ReadsATokenAsANumberOnlyWhenItIsOneWhole) {
    const struct {
        const char* token;
        bool number;
        double value;
    } cases[] = {
        {"95.047", true, 95.047}, {"-1.5e-03", true, -0.0015}, {"100", true, 100.0}, {".5", true, 0.5},
        {"12abc", false, 0}, {"nan", false, 0}, {"1e999", false, 0}, {"", false, 0}, {"\"1\"", false, 0},
    };
    for (const auto& c : cases) {
        const std::string s = c.token;
        double value = -7;
        EXPECT_EQ(ReadCgatsNumber(TextOf(s), {0, s.size()}, value), c.number) << c.token;
        if (c.number) {
            EXPECT_DOUBLE_EQ(value, c.value) << c.token;
        }
    }
}

TEST(DetectSource, TellsTheSourcesApartByContent) {
    std::string profile(128, '\0');
    profile.replace(36, 4, "acsp");
    std::string edid = std::string("\x00\xFF\xFF\xFF\xFF\xFF\xFF\x00", 8) + std::string(120, '\x01');
    const struct {
        const char* name;
        std::string bytes;
        LoadSource source;
    } cases[] = {
        {"a profile", profile, LoadSource::kProfile},
        {"a profile holding a table", profile + "BEGIN_DATA", LoadSource::kProfile},
        {"a binary EDID", edid, LoadSource::kEdid},
        {"EDID hex text", "00ffffffffffff00 4c2d", LoadSource::kEdid},
        {"an edid-decode dump", "edid-decode (hex):\n\n00 ff\n\xC2\xB5", LoadSource::kEdid},
        {"a CGATS table", "CTI3\nBEGIN_DATA_FORMAT\n", LoadSource::kMeasurement},
        {"a reading", " Result is XYZ: 95.0 100.0 108.9, D50 Lab: 100 0 0\n", LoadSource::kMeasurement},
        {"other binary", "\x01\x02\x03", LoadSource::kProfile},
        {"nothing", "", LoadSource::kEdid},
    };
    for (const auto& c : cases) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(c.bytes.data());
        EXPECT_EQ(DetectSource(bytes, c.bytes.size()), c.source) << c.name;
    }
}

}  // namespace
