// The few bytes of a monitor's EDID base block that the reader consults, as
// named offsets, and the small decoders for them. The helpers take a block
// that the caller has already checked to hold kEdidBlockSize bytes.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t kEdidBlockSize = 128;  // the base block; extension blocks follow it

// Bytes 0-7: the fixed pattern that marks a base block.
constexpr size_t kEdidHeaderOffset = 0;
constexpr size_t kEdidHeaderSize = 8;
constexpr unsigned char kEdidHeader[kEdidHeaderSize] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};

// Bytes 8-9: the manufacturer's three letters, five bits each from bit 14
// down, big-endian; 1 is "A".
constexpr size_t kEdidManufacturerOffset = 8;
constexpr int kEdidManufacturerLetters = 3;
constexpr unsigned kEdidLetterBits = 5;

// Bytes 54-125: four 18-byte descriptors. A display descriptor starts with
// three zero bytes (no pixel clock) and has its tag at 3; the monitor name's
// (tag FC) text stands at 5, up to 13 characters ended by a line feed.
constexpr size_t kEdidDescriptorOffset = 54;
constexpr size_t kEdidDescriptorSize = 18;
constexpr int kEdidDescriptorCount = 4;
constexpr size_t kEdidDescriptorTagOffset = 3;
constexpr unsigned char kEdidMonitorNameTag = 0xFC;
constexpr size_t kEdidDescriptorTextOffset = 5;
constexpr size_t kEdidDescriptorTextSize = 13;

// Byte 18: the structure version. Only version 1 has this layout (the revision
// at 19 only adds to it, so it is not consulted).
constexpr size_t kEdidVersionOffset = 18;
constexpr unsigned char kEdidVersion = 1;

// Byte 23: gamma = (value + 100) / 100, so 0x78 is 2.20; 0xFF says the gamma
// is given elsewhere (in an extension), which the reader does not follow.
constexpr size_t kEdidGammaOffset = 23;
constexpr unsigned char kEdidGammaNotGiven = 0xFF;

// Bytes 25-34: eight ten-bit chromaticities, each the value over 1024. The
// eight high bits stand in bytes 27-34 in this order; the two low bits are
// packed four to a byte, from bits 7-6 down to bits 1-0: red x, red y, green
// x, green y in byte 25, and blue x, blue y, white x, white y in byte 26.
enum EdidChromaticity {
    kEdidRedX,
    kEdidRedY,
    kEdidGreenX,
    kEdidGreenY,
    kEdidBlueX,
    kEdidBlueY,
    kEdidWhiteX,
    kEdidWhiteY,
    kEdidChromaticityCount
};
constexpr size_t kEdidRedGreenLowBitsOffset = 25;
constexpr size_t kEdidBlueWhiteLowBitsOffset = 26;
constexpr size_t kEdidChromaticityHighOffset = 27;
constexpr int kEdidLowBitsPerByte = 4;
constexpr double kEdidChromaticityScale = 1024.0;

// Byte 127 makes the 128 bytes of the block sum to 0 modulo 256.
constexpr size_t kEdidChecksumOffset = 127;

// An EDID holds at most 255 extension blocks after the base block: 32 KiB.
// Anything larger is some other file, and is refused before it is decoded.
constexpr size_t kEdidFileLimit = 32 * 1024;

// The 128 bytes summed modulo 256; 0 for an intact block.
inline unsigned SumEdidBlock(const unsigned char* block) {
    unsigned sum = 0;
    for (size_t i = 0; i < kEdidBlockSize; ++i) sum = (sum + block[i]) & 0xFFu;
    return sum;
}

// One of the eight chromaticities: its high byte shifted past the two low
// bits that its packed byte holds for it. Exact in a double (a multiple of
// 1/1024 below 1).
inline double ReadEdidChromaticity(const unsigned char* block, EdidChromaticity which) {
    int index = static_cast<int>(which);
    size_t packed = index < kEdidLowBitsPerByte ? kEdidRedGreenLowBitsOffset : kEdidBlueWhiteLowBitsOffset;
    unsigned shift = 6u - 2u * static_cast<unsigned>(index % kEdidLowBitsPerByte);
    unsigned low = (block[packed] >> shift) & 0x3u;
    unsigned high = block[kEdidChromaticityHighOffset + static_cast<size_t>(index)];
    return static_cast<double>(high << 2 | low) / kEdidChromaticityScale;
}

// One division, so the gamma is the double nearest (value + 100) / 100.
inline double ReadEdidGamma(unsigned char value) { return (value + 100) / 100.0; }
