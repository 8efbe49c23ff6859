// The structures of an ICC profile that the writer fills besides those the
// reader consults (profile/icc.h), and big-endian writers mirroring its
// readers. The writer checks the whole profile's size against its buffer
// once; the helpers trust the pointer they are given.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "profile/icc.h"

// Header: 128 bytes, the tag table right after it.
constexpr size_t kHeaderSize = 128;
constexpr size_t kProfileSizeOffset = 0;   // u32, the whole file
constexpr size_t kVersionOffset = 8;       // major, minor.bugfix, two zero bytes
constexpr size_t kDateOffset = 24;         // dateTimeNumber: six u16
constexpr uint32_t kVersion2_4 = 0x02400000;
static_assert(kTagCountOffset == kHeaderSize, "the tag count follows the header");

// Tag data starts at offsets that are multiples of 4, padded with zeros.
constexpr size_t kTagAlignment = 4;
constexpr size_t kTagEntrySizeOffset = 8;
// Type signature (4) and four reserved bytes before every tag's own data.
constexpr size_t kTagPreambleSize = 8;

// textType: zero-terminated ASCII from 8.
constexpr size_t kTextOffset = 8;

// textDescriptionType (version 2): u32 ASCII count (terminating zero
// included) at 8 and the ASCII from 12, then an empty Unicode part (language
// and count, u32 each), an empty ScriptCode part (u16 code, u8 count) and its
// fixed 67 bytes.
constexpr size_t kDescriptionCountOffset = 8;
constexpr size_t kDescriptionTextOffset = 12;
constexpr size_t kDescriptionTailSize = 4 + 4 + 2 + 1 + 67;

// s15Fixed16ArrayType holding a 3x3 matrix: kAdaptationTypeSize (profile/icc.h).
// curveType with a single gamma: kCurveGammaTypeSize (profile/icc.h).

// The video card gamma table, table form: u32 kind (0 = table) at 8, u16
// channel count, u16 entry count and u16 entry size at 12, 14 and 16, then
// the entries channel after channel, red first.
constexpr size_t kVcgtKindOffset = 8;
constexpr size_t kVcgtChannelsOffset = 12;
constexpr size_t kVcgtEntryCountOffset = 14;
constexpr size_t kVcgtEntrySizeOffset = 16;
constexpr size_t kVcgtDataOffset = 18;
constexpr uint32_t kVcgtTableKind = 0;
constexpr uint16_t kVcgtEntryBytes = 2;

constexpr IccSignature kSigDescriptionTag = MakeSignature("desc");
constexpr IccSignature kSigCopyrightTag = MakeSignature("cprt");
constexpr IccSignature kSigRedTrcTag = MakeSignature("rTRC");
constexpr IccSignature kSigBlueTrcTag = MakeSignature("bTRC");
constexpr IccSignature kSigVideoCardGammaTag = MakeSignature("vcgt");

constexpr IccSignature kSigTextDescriptionType = MakeSignature("desc");
constexpr IccSignature kSigTextType = MakeSignature("text");
constexpr IccSignature kSigVideoCardGammaType = MakeSignature("vcgt");

constexpr size_t AlignTag(size_t size) { return (size + kTagAlignment - 1) / kTagAlignment * kTagAlignment; }

inline void WriteBigU16(unsigned char* p, uint16_t value) {
    p[0] = static_cast<unsigned char>(value >> 8);
    p[1] = static_cast<unsigned char>(value);
}

inline void WriteBigU32(unsigned char* p, uint32_t value) {
    p[0] = static_cast<unsigned char>(value >> 24);
    p[1] = static_cast<unsigned char>(value >> 16);
    p[2] = static_cast<unsigned char>(value >> 8);
    p[3] = static_cast<unsigned char>(value);
}

// s15Fixed16Number: value * 65536 rounded half away from zero, as a 32-bit
// two's-complement number. Only values that FitsS15Fixed16 may be written.
inline bool FitsS15Fixed16(double value) {
    const double raw = std::round(value * 65536.0);
    return raw >= -2147483648.0 && raw <= 2147483647.0;  // false for a not-a-number
}

inline void WriteS15Fixed16(unsigned char* p, double value) {
    const auto raw = static_cast<int64_t>(std::round(value * 65536.0));
    WriteBigU32(p, static_cast<uint32_t>(static_cast<uint64_t>(raw) & 0xFFFFFFFFu));
}

// u8Fixed8Number: value * 256 rounded to the nearest, unsigned 16-bit.
inline bool FitsU8Fixed8(double value) {
    const double raw = std::round(value * 256.0);
    return raw >= 0.0 && raw <= 65535.0;
}

inline uint16_t EncodeU8Fixed8(double value) { return static_cast<uint16_t>(std::round(value * 256.0)); }
