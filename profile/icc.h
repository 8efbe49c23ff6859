// The few structures of an ICC profile that the reader consults, as byte
// offsets and four-character signatures. Every number in the format is
// big-endian; the helpers below read them from a byte pointer that the caller
// has already checked against the end of the buffer.
#pragma once

#include <cstddef>
#include <cstdint>

using IccSignature = uint32_t;

constexpr IccSignature MakeSignature(const char (&text)[5]) {
    return static_cast<IccSignature>(static_cast<unsigned char>(text[0])) << 24 |
           static_cast<IccSignature>(static_cast<unsigned char>(text[1])) << 16 |
           static_cast<IccSignature>(static_cast<unsigned char>(text[2])) << 8 |
           static_cast<IccSignature>(static_cast<unsigned char>(text[3]));
}

// Header: only these fields are consulted; the size at 0 and the version at 8
// are not, so a profile that misstates them still loads.
constexpr size_t kClassOffset = 12;             // profile/device class
constexpr size_t kColourSpaceOffset = 16;       // data colour space
constexpr size_t kConnectionSpaceOffset = 20;   // profile connection space
constexpr size_t kFileSignatureOffset = 36;     // "acsp"
constexpr size_t kHeaderCheckSize = 40;         // bytes the four signatures need
constexpr size_t kIlluminantOffset = 68;        // connection space's white: X, Y, Z
constexpr size_t kTagCountOffset = 128;         // u32, number of table entries
constexpr size_t kTagTableOffset = 132;         // first entry
static_assert(kIlluminantOffset + 12 <= kTagCountOffset, "the illuminant lies in the checked header");

// Tag table entry: signature (0-3), data offset from the start of the file
// (4-7), data size (8-11). The size is never consulted, so the last entry
// needs only its first 8 bytes.
constexpr size_t kTagEntrySize = 12;
constexpr size_t kTagEntrySignatureOffset = 0;
constexpr size_t kTagEntryDataOffset = 4;
constexpr size_t kTagEntryUsedSize = 8;

// Tag data starts with its type signature.
constexpr size_t kTagTypeSize = 4;

// XYZType: X, Y, Z as s15Fixed16Number at 8, 12, 16.
constexpr size_t kXyzXOffset = 8;
constexpr size_t kXyzYOffset = 12;
constexpr size_t kXyzZOffset = 16;
constexpr size_t kXyzTypeSize = 20;

// curveType: u32 entry count at 8; with exactly one entry, a u8Fixed8Number
// gamma at 12.
constexpr size_t kCurveCountOffset = 8;
constexpr size_t kCurveCountEnd = 12;
constexpr size_t kCurveGammaOffset = 12;
constexpr size_t kCurveGammaTypeSize = 14;
constexpr uint32_t kCurveGammaCount = 1;

// s15Fixed16ArrayType as a chromatic adaptation: a 3x3 matrix, row by row,
// nine s15Fixed16Number from 8.
constexpr size_t kAdaptationMatrixOffset = 8;
constexpr size_t kAdaptationTypeSize = 44;

constexpr IccSignature kSigDisplayClass = MakeSignature("mntr");
constexpr IccSignature kSigRgbData = MakeSignature("RGB ");
constexpr IccSignature kSigXyzData = MakeSignature("XYZ ");
constexpr IccSignature kSigProfileFile = MakeSignature("acsp");

constexpr IccSignature kSigMediaWhitePointTag = MakeSignature("wtpt");
constexpr IccSignature kSigRedColorantTag = MakeSignature("rXYZ");
constexpr IccSignature kSigGreenColorantTag = MakeSignature("gXYZ");
constexpr IccSignature kSigBlueColorantTag = MakeSignature("bXYZ");
constexpr IccSignature kSigRedTrcTag = MakeSignature("rTRC");
constexpr IccSignature kSigGreenTrcTag = MakeSignature("gTRC");
constexpr IccSignature kSigBlueTrcTag = MakeSignature("bTRC");
constexpr IccSignature kSigChromaticAdaptationTag = MakeSignature("chad");
constexpr IccSignature kSigVideoCardGammaTag = MakeSignature("vcgt");
// Written, never read: the calibration writers' own tags.
constexpr IccSignature kSigDescriptionTag = MakeSignature("desc");
constexpr IccSignature kSigCopyrightTag = MakeSignature("cprt");

constexpr IccSignature kSigXyzType = MakeSignature("XYZ ");
constexpr IccSignature kSigCurveType = MakeSignature("curv");
constexpr IccSignature kSigS15Fixed16ArrayType = MakeSignature("sf32");
constexpr IccSignature kSigTextDescriptionType = MakeSignature("desc");
constexpr IccSignature kSigTextType = MakeSignature("text");
constexpr IccSignature kSigVideoCardGammaType = MakeSignature("vcgt");

inline uint16_t ReadBigU16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

inline uint32_t ReadBigU32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
           static_cast<uint32_t>(p[2]) << 8 | static_cast<uint32_t>(p[3]);
}

// s15Fixed16Number: the two's-complement 32-bit value over 65536 (FF FF 80 00
// is -0.5). Taken apart in 64 bits so no conversion is implementation-defined.
inline double ReadS15Fixed16(const unsigned char* p) {
    int64_t raw = ReadBigU32(p);
    if (raw >= INT64_C(0x80000000)) raw -= INT64_C(0x100000000);
    return static_cast<double>(raw) / 65536.0;
}

// u8Fixed8Number: the unsigned 16-bit value over 256.
inline double ReadU8Fixed8(const unsigned char* p) {
    return static_cast<double>(ReadBigU16(p)) / 256.0;
}

// Whether the bytes [offset, offset + length) lie within size bytes. In 64
// bits, so that a 32-bit offset near 2^32 plus a length cannot wrap.
inline bool FitsWithin(uint64_t offset, uint64_t length, size_t size) {
    return offset + length <= static_cast<uint64_t>(size);
}

// Whether the bytes carry the ICC file signature, "acsp": what tells a
// profile from any other file, whatever else its header says.
inline bool HasIccFileSignature(const unsigned char* bytes, size_t size) {
    return FitsWithin(kFileSignatureOffset, 4, size) && ReadBigU32(bytes + kFileSignatureOffset) == kSigProfileFile;
}
