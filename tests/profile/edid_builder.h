// Builds EDID base blocks from the few things the reader consults, so that a
// test states a monitor in one line: eight ten-bit chromaticities, the gamma
// byte, and whether the checksum is fixed up or left broken.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// Red x, red y, green x, green y, blue x, blue y, white x, white y, each a
// ten-bit value (the chromaticity times 1024).
using TenBits = std::array<uint16_t, 8>;

enum class Checksum { kFixed, kBroken };

inline Bytes BuildEdid(const TenBits& values, unsigned char gamma, Checksum checksum = Checksum::kFixed) {
    Bytes block(128, 0);
    const unsigned char header[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    for (int i = 0; i < 8; ++i) block[i] = header[i];
    block[18] = 1;  // version 1.4
    block[19] = 4;
    block[23] = gamma;
    for (int i = 0; i < 8; ++i) {
        unsigned low = values[i] & 3u;
        block[i < 4 ? 25 : 26] |= static_cast<unsigned char>(low << (6 - 2 * (i % 4)));
        block[27 + i] = static_cast<unsigned char>(values[i] >> 2);
    }
    unsigned sum = 0;
    for (int i = 0; i < 127; ++i) sum += block[i];
    block[127] = static_cast<unsigned char>(256 - sum % 256);
    if (checksum == Checksum::kBroken) ++block[127];
    return block;
}

// A monitor close to sRGB: 0.6396, 0.3301 / 0.2998, 0.5996 / 0.1504, 0.0596
// / 0.3125, 0.3291, gamma 2.20.
inline Bytes TypicalEdid() { return BuildEdid({655, 338, 307, 614, 154, 61, 320, 337}, 0x78); }

inline Bytes WithByte(Bytes bytes, size_t at, unsigned char value) {
    bytes.at(at) = value;
    return bytes;
}

// Lower-case hex digits, each byte followed by the separator.
inline std::string HexText(const Bytes& bytes, const char* separator = "") {
    std::string text;
    char pair[3];
    for (unsigned char b : bytes) {
        std::snprintf(pair, sizeof pair, "%02x", b);
        text += pair;
        text += separator;
    }
    return text;
}

inline Bytes TextBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }
