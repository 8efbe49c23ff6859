// Debian's edid-decode reads the same built blocks as the reader: the
// chromaticities it prints (four decimals, cut) agree with the fields' five
// decimals within 0.0001, and its gamma (two decimals) equals field 1009.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "edid_builder.h"
#include "edid_cases.h"
#include "form/memory_form.h"
#include "edid/decode_edid.h"
#include "profile_test_form.h"

namespace {

namespace fs = std::filesystem;

// What edid-decode printed for one block.
struct Decoded {
    std::vector<std::string> chromaticities;  // white x, y, red x, y, green x, y, blue x, y
    std::string gamma;                        // empty where it says none is given
};

std::string RunEdidDecode(const std::string& path) {
    std::string command = std::string(TINTMEND_EDID_DECODE) + " --skip-hex-dump '" + path + "' 2>/dev/null";
    std::string output;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return output;
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) output.append(chunk, got);
    pclose(pipe);
    return output;
}

// The two numbers after "Red  : " and the like, and the one after "Gamma: ".
Decoded ParseEdidDecode(const std::string& output) {
    Decoded decoded;
    for (const char* label : {"White: ", "Red  : ", "Green: ", "Blue : "}) {
        size_t at = output.find(label);
        if (at == std::string::npos) continue;
        at += std::char_traits<char>::length(label);
        size_t comma = output.find(", ", at);
        size_t end = output.find('\n', comma);
        decoded.chromaticities.push_back(output.substr(at, comma - at));
        decoded.chromaticities.push_back(output.substr(comma + 2, end - comma - 2));
    }
    size_t gamma = output.find("Gamma: ");
    if (gamma != std::string::npos) decoded.gamma = output.substr(gamma + 7, output.find('\n', gamma) - gamma - 7);
    return decoded;
}

// "0.63965" or "0.6396" in units of 0.00001, so that the comparison is exact.
long HundredThousandths(const std::string& text) {
    size_t point = text.find('.');
    if (point == std::string::npos) return -1000000;
    std::string fraction = (text.substr(point + 1) + "00000").substr(0, 5);
    return std::stol(text.substr(0, point)) * 100000 + std::stol(fraction);
}

void ExpectAgreement(const Bytes& block, const std::string& name, const fs::path& dir) {
    std::string path = (dir / "block.bin").string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(block.size()));
    Decoded decoded = ParseEdidDecode(RunEdidDecode(path));
    ASSERT_EQ(decoded.chromaticities.size(), 8u) << name << ": edid-decode printed no colour characteristics";

    Form form = SentinelForm();
    const Form before = form;
    ASSERT_EQ(ApplyEdidBytes(&form, block.data(), block.size()).status, LoadStatus::kApplied) << name;
    for (int i = 0; i < 8; ++i) {
        const std::string& written = FieldText(form, IDC_REF_WHITE_X + i);
        long difference = HundredThousandths(written) - HundredThousandths(decoded.chromaticities[i]);
        EXPECT_LE(difference < 0 ? -difference : difference, 10)
            << name << ", field " << IDC_REF_WHITE_X + i << ": " << written << " against edid-decode's "
            << decoded.chromaticities[i];
    }
    if (decoded.gamma.empty()) {
        EXPECT_EQ(FieldText(form, IDC_GAMMA), FieldText(before, IDC_GAMMA)) << name;
    } else {
        EXPECT_EQ(HundredThousandths(FieldText(form, IDC_GAMMA)), HundredThousandths(decoded.gamma)) << name;
    }
}

TEST(EdidDecodeOracle, AgreesOnEveryDecodingCaseAndEveryTenBitValue) {
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path dir = fs::temp_directory_path() / ("tintmend-edid-oracle-" + std::to_string(stamp));
    fs::create_directories(dir);
    for (const EdidDecodingCase& c : EdidDecodingCases()) ExpectAgreement(BuildEdid(c.values, c.gamma), c.name, dir);
    // All 1024 values, eight to a block, each value in turn at each position;
    // the gamma byte runs through its values too.
    for (int first = 0; first < 1024; first += 8) {
        TenBits values;
        for (int i = 0; i < 8; ++i) values[i] = static_cast<uint16_t>(first + (i + first / 8) % 8);
        ExpectAgreement(BuildEdid(values, static_cast<unsigned char>(first / 4)), "values from " + std::to_string(first),
                        dir);
    }
    std::error_code ignored;
    fs::remove_all(dir, ignored);
}

}  // namespace
