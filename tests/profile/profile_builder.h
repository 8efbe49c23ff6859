// Builds small ICC profiles byte by byte, so that a test states its header,
// tags and bytes in a line or two. Tag data is laid out after the table in
// the order given, each on a 4-byte boundary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

struct TestTag {
    std::string signature;  // four characters
    Bytes data;
};

inline void AppendU16(Bytes& bytes, uint16_t value) {
    bytes.push_back(static_cast<unsigned char>(value >> 8));
    bytes.push_back(static_cast<unsigned char>(value));
}

inline void AppendU32(Bytes& bytes, uint32_t value) {
    AppendU16(bytes, static_cast<uint16_t>(value >> 16));
    AppendU16(bytes, static_cast<uint16_t>(value));
}

inline void AppendText(Bytes& bytes, const std::string& text) {
    for (char c : text) bytes.push_back(static_cast<unsigned char>(c));
}

inline void PutU32(Bytes& bytes, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<unsigned char>(value >> (24 - 8 * i));
}

// An XYZType with X, Y and Z given as raw s15Fixed16 numbers.
inline Bytes XyzTag(uint32_t x, uint32_t y, uint32_t z) {
    Bytes data;
    AppendText(data, "XYZ ");
    AppendU32(data, 0);
    for (uint32_t v : {x, y, z}) AppendU32(data, v);
    return data;
}

// A curveType declaring count entries and holding the given ones.
inline Bytes CurveTag(uint32_t count, const std::vector<uint16_t>& entries) {
    Bytes data;
    AppendText(data, "curv");
    AppendU32(data, 0);
    AppendU32(data, count);
    for (uint16_t e : entries) AppendU16(data, e);
    return data;
}

inline Bytes GammaTag(uint16_t u8fixed8) { return CurveTag(1, {u8fixed8}); }

// A chromatic adaptation "sf32": nine raw s15Fixed16 numbers, row by row.
inline Bytes AdaptationTag(const std::vector<uint32_t>& matrix) {
    Bytes data;
    AppendText(data, "sf32");
    AppendU32(data, 0);
    for (uint32_t v : matrix) AppendU32(data, v);
    return data;
}

// Any other tag: a type signature followed by size bytes of filler.
inline Bytes OpaqueTag(const std::string& type, size_t size) {
    Bytes data;
    AppendText(data, type);
    data.resize(4 + size, 0x5A);
    return data;
}

constexpr size_t kTestTableOffset = 132;
constexpr size_t kTestEntrySize = 12;

// Where entry i's data offset is written, for tests that bend it.
inline size_t EntryOffsetAt(size_t i) { return kTestTableOffset + kTestEntrySize * i + 4; }

inline Bytes BuildProfile(const std::vector<TestTag>& tags, const std::string& device_class = "mntr",
                          const std::string& colour_space = "RGB ",
                          const std::string& connection_space = "XYZ ") {
    Bytes bytes(128, 0);
    bytes[8] = 2;  // version 2.1
    bytes[9] = 0x10;
    auto put_text = [&](size_t at, const std::string& text) {
        for (size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(text[i]);
    };
    put_text(12, device_class);
    put_text(16, colour_space);
    put_text(20, connection_space);
    put_text(36, "acsp");
    PutU32(bytes, 68, 0x0000F6D6);  // the connection space's illuminant, D50
    PutU32(bytes, 72, 0x00010000);
    PutU32(bytes, 76, 0x0000D32D);
    AppendU32(bytes, static_cast<uint32_t>(tags.size()));
    size_t data_at = kTestTableOffset + kTestEntrySize * tags.size();
    for (const TestTag& tag : tags) {
        AppendText(bytes, tag.signature);
        AppendU32(bytes, static_cast<uint32_t>(data_at));
        AppendU32(bytes, static_cast<uint32_t>(tag.data.size()));
        data_at += (tag.data.size() + 3) / 4 * 4;
    }
    for (const TestTag& tag : tags) {
        bytes.insert(bytes.end(), tag.data.begin(), tag.data.end());
        bytes.resize((bytes.size() + 3) / 4 * 4, 0);
    }
    PutU32(bytes, 0, static_cast<uint32_t>(bytes.size()));
    return bytes;
}

// Tag data found in version 2 display profiles.
inline Bytes D50WhiteTag() { return XyzTag(0x0000F6D6, 0x00010000, 0x0000D32D); }
inline Bytes RedColorantTag() { return XyzTag(0x00006FA2, 0x000038F5, 0x00000390); }
inline Bytes GreenColorantTag() { return XyzTag(0x00006299, 0x0000B785, 0x000018DA); }
inline Bytes BlueColorantTag() { return XyzTag(0x000024A0, 0x00000F84, 0x0000B6CF); }

// A complete display profile: white, three colorants, gamma 2.19922, and a
// copyright after them that the reader never follows.
inline Bytes TypicalDisplayProfile() {
    return BuildProfile({{"wtpt", D50WhiteTag()},
                         {"rXYZ", RedColorantTag()},
                         {"gXYZ", GreenColorantTag()},
                         {"bXYZ", BlueColorantTag()},
                         {"gTRC", GammaTag(0x0233)},
                         {"cprt", OpaqueTag("text", 40)}});
}
