#include "edid/decode_edid.h"

#include <cstring>

#include "edid/edid.h"

namespace {

constexpr LoadReport kApplied = kLoadApplied;

// The label xrandr --verbose prints before the digits.
constexpr char kXrandrLabel[] = "EDID:";
constexpr size_t kXrandrLabelSize = sizeof kXrandrLabel - 1;

// The labels of dumps whose digits are followed by other text: edid-decode's
// (a line of dashes and the decoded fields) and the "EDID (hex):" section of
// hardware probes. There the digits end at the first line that is not hex.
constexpr const char* kDumpLabels[] = {"edid-decode (hex):", "EDID (hex):"};

LoadReport Refusal(LoadStatus status) { return {status, 0, 0, 0, 0}; }

LoadReport NotHexAt(const unsigned char* bytes, size_t offset) {
    return {LoadStatus::kNotHexText, 0, 0, offset, bytes[offset]};
}

bool IsWhiteSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Whether the byte may appear in text at all: white space or printable ASCII.
bool IsTextByte(unsigned char c) { return IsWhiteSpace(c) || (c >= 0x20 && c < 0x7F); }

bool IsAllText(const unsigned char* bytes, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        if (!IsTextByte(bytes[i])) return false;
    }
    return true;
}

// The digit's value, or -1 for any other character.
int HexDigitValue(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

size_t SkipWhiteSpace(const unsigned char* bytes, size_t size, size_t at) {
    while (at < size && IsWhiteSpace(bytes[at])) ++at;
    return at;
}

bool HasTextAt(const unsigned char* bytes, size_t size, size_t at, const char* text, size_t length) {
    if (size - at < length) return false;
    for (size_t i = 0; i < length; ++i) {
        if (bytes[at + i] != static_cast<unsigned char>(text[i])) return false;
    }
    return true;
}

bool HasHexPrefixAt(const unsigned char* bytes, size_t size, size_t at) {
    return size - at >= 2 && bytes[at] == '0' && (bytes[at + 1] == 'x' || bytes[at + 1] == 'X');
}

// One run of digits starting at `at` (after white space): its optional 0x,
// then an even number of digits, ending at white space, a ">" or the end.
// Bytes beyond the first block are counted but not kept.
LoadReport DecodeHexRun(const unsigned char* bytes, size_t size, size_t& at, size_t& count,
                        unsigned char (&block)[kEdidBlockSize]) {
    const size_t run = at;
    if (HasHexPrefixAt(bytes, size, at)) at += 2;
    const size_t first_digit = at;
    while (at < size && HexDigitValue(bytes[at]) >= 0) ++at;
    const bool ends_run = at == size || IsWhiteSpace(bytes[at]) || bytes[at] == '>';
    if (!ends_run) return NotHexAt(bytes, at);
    // A 0x with no digit after it: the x is what is out of place.
    if (at == first_digit) return NotHexAt(bytes, run + 1);
    if ((at - first_digit) % 2 != 0) return {LoadStatus::kOddDigits, 0, 0, run, 0};
    for (size_t digit = first_digit; digit < at; digit += 2, ++count) {
        if (count >= kEdidBlockSize) continue;
        block[count] = static_cast<unsigned char>(HexDigitValue(bytes[digit]) << 4 | HexDigitValue(bytes[digit + 1]));
    }
    return kApplied;
}

// The whole text is checked, extension blocks included, so that text with a
// fault anywhere in it is refused rather than half believed.
LoadReport DecodeHexText(const unsigned char* bytes, size_t size, unsigned char (&block)[kEdidBlockSize]) {
    size_t at = SkipWhiteSpace(bytes, size, 0);
    if (HasTextAt(bytes, size, at, kXrandrLabel, kXrandrLabelSize)) {
        at = SkipWhiteSpace(bytes, size, at + kXrandrLabelSize);
    }
    if (at < size && bytes[at] == '<') at = SkipWhiteSpace(bytes, size, at + 1);
    size_t count = 0;
    while (at < size) {
        if (bytes[at] == '>') {
            // Only white space may follow the closing mark.
            at = SkipWhiteSpace(bytes, size, at + 1);
            if (at < size) return NotHexAt(bytes, at);
            break;
        }
        LoadReport report = DecodeHexRun(bytes, size, at, count, block);
        if (report.status != LoadStatus::kApplied) return report;
        at = SkipWhiteSpace(bytes, size, at);
    }
    if (count < kEdidBlockSize) return {LoadStatus::kTooShort, 0, count, 0, 0};
    return kApplied;
}

size_t DumpLabelEnd(const unsigned char* bytes, size_t size) {
    const size_t at = SkipWhiteSpace(bytes, size, 0);
    for (const char* label : kDumpLabels) {
        size_t length = std::strlen(label);
        if (HasTextAt(bytes, size, at, label, length)) return at + length;
    }
    return 0;
}

size_t LineEnd(const unsigned char* bytes, size_t size, size_t at) {
    while (at < size && bytes[at] != '\n') ++at;
    return at;
}

bool IsHexLine(const unsigned char* bytes, size_t from, size_t end) {
    for (size_t i = from; i < end; ++i) {
        if (HexDigitValue(bytes[i]) < 0 && !IsWhiteSpace(bytes[i])) return false;
    }
    return true;
}

// A dump's digits, line by line from after its label, up to the first line
// with anything but hex digits and white space in it; what follows is not read.
LoadReport DecodeDump(const unsigned char* bytes, size_t size, size_t at, unsigned char (&block)[kEdidBlockSize]) {
    size_t count = 0;
    while (at < size) {
        const size_t end = LineEnd(bytes, size, at);
        if (!IsHexLine(bytes, at, end)) break;
        for (at = SkipWhiteSpace(bytes, end, at); at < end; at = SkipWhiteSpace(bytes, end, at)) {
            LoadReport report = DecodeHexRun(bytes, end, at, count, block);
            if (report.status != LoadStatus::kApplied) return report;
        }
        at = end + 1;
    }
    if (count < kEdidBlockSize) return {LoadStatus::kTooShort, 0, count, 0, 0};
    return kApplied;
}

LoadReport CopyBinaryBlock(const unsigned char* bytes, size_t size, unsigned char (&block)[kEdidBlockSize]) {
    if (size < kEdidBlockSize) return {LoadStatus::kTooShort, 0, size, 0, 0};
    for (size_t i = 0; i < kEdidBlockSize; ++i) block[i] = bytes[i];
    return kApplied;
}

// Header first: for bytes that are no EDID at all, "not an EDID" is the truer
// reason than whatever their sum happens to be.
LoadReport CheckBaseBlock(const unsigned char (&block)[kEdidBlockSize]) {
    for (size_t i = 0; i < kEdidHeaderSize; ++i) {
        if (block[kEdidHeaderOffset + i] != kEdidHeader[i]) return Refusal(LoadStatus::kWrongHeader);
    }
    unsigned sum = SumEdidBlock(block);
    if (sum != 0) return {LoadStatus::kWrongChecksum, 0, 0, 0, static_cast<unsigned char>(sum)};
    unsigned char version = block[kEdidVersionOffset];
    if (version != kEdidVersion) return {LoadStatus::kWrongVersion, 0, 0, 0, version};
    return kApplied;
}

Chromaticity ReadEdidPoint(const unsigned char (&block)[kEdidBlockSize], EdidChromaticity x) {
    return {ReadEdidChromaticity(block, x), ReadEdidChromaticity(block, static_cast<EdidChromaticity>(x + 1))};
}

// The block gives the white and all three primaries; the gamma unless its
// byte says it is given elsewhere.
void FillColorimetry(const unsigned char (&block)[kEdidBlockSize], Colorimetry& out) {
    out.has_white = true;
    out.white = ReadEdidPoint(block, kEdidWhiteX);
    const EdidChromaticity primaries[kPrimaryCount] = {kEdidRedX, kEdidGreenX, kEdidBlueX};
    for (int k = 0; k < kPrimaryCount; ++k) {
        out.has_primary[k] = true;
        out.primary[k] = ReadEdidPoint(block, primaries[k]);
    }
    unsigned char gamma = block[kEdidGammaOffset];
    out.has_gamma = gamma != kEdidGammaNotGiven;
    if (out.has_gamma) out.gamma = ReadEdidGamma(gamma);
}

// Out-of-range letters (0, 27 to 31) as "?", so that the code is always
// three printable characters.
void ReadManufacturer(const unsigned char (&block)[kEdidBlockSize], char (&code)[kManufacturerSize]) {
    const unsigned id = static_cast<unsigned>(block[kEdidManufacturerOffset] << 8 | block[kEdidManufacturerOffset + 1]);
    for (int i = 0; i < kEdidManufacturerLetters; ++i) {
        unsigned shift = kEdidLetterBits * static_cast<unsigned>(kEdidManufacturerLetters - 1 - i);
        unsigned letter = (id >> shift) & 0x1Fu;
        code[i] = letter >= 1 && letter <= 26 ? static_cast<char>('A' + letter - 1) : '?';
    }
    code[kEdidManufacturerLetters] = '\0';
}

// The first monitor name descriptor's text up to its line feed, trailing
// blanks dropped; bytes that are not printable ASCII become "?".
void ReadMonitorName(const unsigned char (&block)[kEdidBlockSize], char (&name)[kMonitorNameSize]) {
    name[0] = '\0';
    for (int d = 0; d < kEdidDescriptorCount; ++d) {
        const unsigned char* descriptor = block + kEdidDescriptorOffset + kEdidDescriptorSize * d;
        if (descriptor[0] != 0 || descriptor[1] != 0 || descriptor[2] != 0) continue;
        if (descriptor[kEdidDescriptorTagOffset] != kEdidMonitorNameTag) continue;
        size_t n = 0;
        for (; n < kEdidDescriptorTextSize; ++n) {
            unsigned char c = descriptor[kEdidDescriptorTextOffset + n];
            if (c == '\n') break;
            name[n] = c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
        }
        while (n > 0 && name[n - 1] == ' ') --n;
        name[n] = '\0';
        return;
    }
}

void FillNotes(const unsigned char (&block)[kEdidBlockSize], const Colorimetry& colorimetry, LoadNotes& notes) {
    notes.gamma_note = colorimetry.has_gamma ? GammaNote::kGiven : GammaNote::kEdidElsewhere;
    ReadManufacturer(block, notes.manufacturer);
    ReadMonitorName(block, notes.monitor_name);
}

// Text when it is a labelled dump (whose decoded text may hold any byte
// after the digits) or when every byte is one that text can hold.
LoadReport ReadBaseBlock(const unsigned char* bytes, size_t size, unsigned char (&block)[kEdidBlockSize]) {
    const size_t dump = DumpLabelEnd(bytes, size);
    if (dump != 0) return DecodeDump(bytes, size, dump, block);
    return IsAllText(bytes, size) ? DecodeHexText(bytes, size, block) : CopyBinaryBlock(bytes, size, block);
}

}  // namespace

LoadReport DecodeEdid(const unsigned char* bytes, size_t size, Colorimetry& out) {
    return DecodeWithoutNotes(DecodeEdid, bytes, size, out);
}

LoadReport DecodeEdid(const unsigned char* bytes, size_t size, Colorimetry& out, LoadNotes& notes) {
    out = Colorimetry{};
    StartNotes(notes, LoadSource::kEdid);
    unsigned char block[kEdidBlockSize] = {};
    LoadReport report = ReadBaseBlock(bytes, size, block);
    if (report.status != LoadStatus::kApplied) return report;
    report = CheckBaseBlock(block);
    if (report.status != LoadStatus::kApplied) return report;
    FillColorimetry(block, out);
    FillNotes(block, out, notes);
    return report;
}

LoadReport ApplyEdidBytes(Dialog dlg, const unsigned char* bytes, size_t size) {
    return ApplyDecoded(dlg, DecodeEdid, bytes, size);
}
