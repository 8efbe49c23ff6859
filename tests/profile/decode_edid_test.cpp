#include "edid/decode_edid.h"
#include "explain/describe_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "colour/balance.h"
#include "edid_builder.h"
#include "edid_cases.h"
#include "form/memory_form.h"
#include "profile_test_form.h"

namespace {

LoadReport Apply(Form& form, const Bytes& bytes) { return ApplyEdidBytes(&form, bytes.data(), bytes.size()); }

// After an edit to a consulted byte, so that only that byte is wrong.
Bytes Resummed(Bytes bytes) {
    unsigned sum = 0;
    for (int i = 0; i < 127; ++i) sum += bytes[i];
    bytes[127] = static_cast<unsigned char>(256 - sum % 256);
    return bytes;
}

Bytes Cut(Bytes bytes, size_t size) {
    bytes.resize(size);
    return bytes;
}

Bytes Joined(Bytes first, const Bytes& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// Lines of 16 bytes, as edid-decode prints them, or of 32 digits behind two
// tabs, as xrandr --verbose does.
std::string HexLines(const Bytes& bytes, const char* separator, size_t per_line, const char* indent,
                     const char* line_end) {
    std::string text;
    for (size_t at = 0; at < bytes.size(); at += per_line) {
        Bytes line(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                   bytes.begin() + static_cast<std::ptrdiff_t>(std::min(at + per_line, bytes.size())));
        text += indent + HexText(line, separator) + line_end;
    }
    return text;
}

// "0x00 0xff ...", as a C array's bytes are written.
std::string PrefixedHex(const Bytes& bytes) {
    std::string text;
    for (unsigned char b : bytes) text += "0x" + HexText({b}) + " ";
    return text;
}

std::string UpperCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

TEST(ApplyEdid, WritesTheColorimetryAndRecalculates) {
    for (const EdidDecodingCase& c : EdidDecodingCases()) {
        Form form = SentinelForm();
        const Form before = form;
        ASSERT_EQ(Apply(form, BuildEdid(c.values, c.gamma)).status, LoadStatus::kApplied) << c.name;
        Form recalculated = form;
        CalcBalance(&recalculated);
        for (FieldId id = kFirstFieldId; id <= kLastFieldId; ++id) {
            std::string expected = id <= IDC_GAMMA ? c.texts[id - kFirstFieldId]
                                   : id < IDC_BAL_RED ? FieldText(before, id)
                                                      : FieldText(recalculated, id);
            EXPECT_EQ(FieldText(form, id), expected) << c.name << ", field " << id;
        }
    }
}

// Every form of the same block, binary or text, gives the same fourteen texts
// as the plain binary block.
TEST(ApplyEdid, ReadsHexTextAndIgnoresExtensionBlocks) {
    const Bytes block = TypicalEdid();
    const Bytes extension(128, 0x5A);  // any bytes: not even its checksum is consulted
    const std::string digits = HexText(block);
    const struct {
        const char* name;
        Bytes input;
    } cases[] = {
        {"binary with an extension block", Joined(block, extension)},
        {"one run of digits", TextBytes(digits)},
        {"upper case", TextBytes(UpperCase(digits))},
        {"bytes split by blanks", TextBytes(HexText(block, " "))},
        {"edid-decode's lines", TextBytes(HexLines(block, " ", 16, "", "\n"))},
        {"xrandr --verbose", TextBytes("\tEDID: \n" + HexLines(block, "", 16, "\t\t", "\n"))},
        {"CR LF line ends", TextBytes(HexLines(block, "", 16, "", "\r\n"))},
        {"0x before the run", TextBytes("0x" + digits)},
        {"0X before each byte", TextBytes(UpperCase(PrefixedHex(block)))},
        {"ioreg's <>", TextBytes(" <" + digits + ">\n")},
        {"hex with an extension block", TextBytes(HexLines(Joined(block, extension), "", 16, "", "\n"))},
        // Dumps whose digits end at the first line that is not hex; the text
        // after it may hold any byte.
        {"edid-decode's dump", TextBytes("edid-decode (hex):\n\n" + HexLines(block, " ", 16, "", "\n") + "\n" +
                                         HexLines(extension, " ", 16, "", "\n") +
                                         "\n----------------\n\nBlock 0, Base EDID:\n  Gamma: 2.20 \xc2\xb5\n")},
        {"a probe's EDID (hex) section", TextBytes("EDID (hex):\r\n" + HexLines(block, "", 16, "  ", "\r\n") +
                                                   "Decoded:\r\n  ff ff\r\n")},
    };
    Form binary = SentinelForm();
    ASSERT_EQ(Apply(binary, block).status, LoadStatus::kApplied);
    for (const auto& c : cases) {
        Form form = SentinelForm();
        EXPECT_EQ(Apply(form, c.input).status, LoadStatus::kApplied) << c.name;
        ExpectUnchanged(form, binary, c.name);
    }
}

TEST(ApplyEdid, RefusesWithoutChangingAnything) {
    const Bytes block = TypicalEdid();
    const std::string digits = HexText(block);
    const struct {
        const char* name;
        Bytes input;
        LoadStatus status;
    } cases[] = {
        {"empty", Bytes{}, LoadStatus::kTooShort},
        {"127 bytes", Cut(block, 127), LoadStatus::kTooShort},
        {"first header byte 01", Resummed(WithByte(block, 0, 0x01)), LoadStatus::kWrongHeader},
        {"last header byte FE", Resummed(WithByte(block, 7, 0xFE)), LoadStatus::kWrongHeader},
        {"128 bytes of FF", Bytes(128, 0xFF), LoadStatus::kWrongHeader},
        {"checksum broken", BuildEdid({655, 338, 307, 614, 154, 61, 320, 337}, 0x78, Checksum::kBroken),
         LoadStatus::kWrongChecksum},
        {"a chromaticity changed after the sum", WithByte(block, 27, 0xA0), LoadStatus::kWrongChecksum},
        {"version 2", Resummed(WithByte(block, 18, 2)), LoadStatus::kWrongVersion},
        {"version 0", Resummed(WithByte(block, 18, 0)), LoadStatus::kWrongVersion},
        {"hex of 127 bytes", TextBytes(HexText(Cut(block, 127))), LoadStatus::kTooShort},
        {"hex, checksum broken", TextBytes(HexText(WithByte(block, 127, 0))), LoadStatus::kWrongChecksum},
        {"hex, a g among the digits", TextBytes("00ffffffffffff0g" + digits.substr(16)), LoadStatus::kNotHexText},
        {"hex, a bad byte in the extension", TextBytes(digits + "\n0z"), LoadStatus::kNotHexText},
        {"hex, odd run", TextBytes("0" + digits), LoadStatus::kOddDigits},
        {"hex, bytes split in the middle", TextBytes("0 0" + digits.substr(2)), LoadStatus::kOddDigits},
        {"hex, 0x with no digits", TextBytes("0x " + digits), LoadStatus::kNotHexText},
        {"hex, x without 0", TextBytes("x" + digits), LoadStatus::kNotHexText},
        {"hex, commas", TextBytes(HexText(block, ",")), LoadStatus::kNotHexText},
        {"hex, text after >", TextBytes("<" + digits + "> 00"), LoadStatus::kNotHexText},
        {"hex, label after the digits", TextBytes(digits + " EDID:"), LoadStatus::kNotHexText},
        {"hex, label twice", TextBytes("EDID: EDID: " + digits), LoadStatus::kNotHexText},
        {"dump, odd digits in a hex line", TextBytes("EDID (hex):\n0" + HexText(block, " ") + "\nend"), LoadStatus::kOddDigits},
        {"dump, digits end early", TextBytes("edid-decode (hex):\n" + HexText(Cut(block, 64), " ") + "\n-- \n" + HexText(block)),
         LoadStatus::kTooShort},
        {"dump label not at the start", TextBytes("x\nEDID (hex):\n" + HexText(block)), LoadStatus::kNotHexText},
        {"hex, a UTF-8 byte order mark", Joined({0xEF, 0xBB, 0xBF}, TextBytes(digits)), LoadStatus::kWrongHeader},
    };
    for (const auto& c : cases) {
        Form form = SentinelForm();
        const Form before = form;
        EXPECT_EQ(Apply(form, c.input).status, c.status) << c.name;
        ExpectUnchanged(form, before, c.name);
    }
}

TEST(ApplyEdid, DescribesARefusalInOneLine) {
    const Bytes block = TypicalEdid();
    const std::string digits = HexText(block);
    const struct {
        Bytes input;
        const char* text;
    } cases[] = {
        {Cut(block, 100), "too short to be an EDID: 100 bytes, fewer than 128"},
        {TextBytes(HexText(Cut(block, 127), " ")), "too short to be an EDID: 127 bytes, fewer than 128"},
        {Bytes(128, 0xFF), "not an EDID: it does not start with 00 FF FF FF FF FF FF 00"},
        {WithByte(block, 27, 0xA0), "damaged EDID: the base block sums to 0xFD, not 0"},
        {Resummed(WithByte(block, 18, 2)), "EDID version 2, not 1"},
        {TextBytes("EDID:\n  00ffffffffffff0g" + digits.substr(16)),
         "neither an EDID nor its hex text: \"g\" at offset 23"},
        {TextBytes("0x\t" + digits), "neither an EDID nor its hex text: \"x\" at offset 1"},
        {TextBytes(digits + "\n\"IODisplayEDID\""), "neither an EDID nor its hex text: \"\\x22\" at offset 257"},
        {TextBytes(digits + " 0x0ff"), "EDID hex text with an odd number of digits at offset 257"},
    };
    for (const auto& c : cases) {
        Form form = SentinelForm();
        char text[kLoadReasonSize];
        DescribeLoadReport(LoadSource::kEdid, Apply(form, c.input), text);
        EXPECT_STREQ(text, c.text);
    }
}

}  // namespace
