#include "explain/detect_source.h"

#include <cstring>

#include "edid/edid.h"
#include "profile/icc.h"

namespace {

// The marks that only measurement text carries: a CGATS data section (the
// format's BEGIN_DATA_FORMAT holds it too) and spotread's reading.
constexpr const char* kMeasurementMarks[] = {"BEGIN_DATA", "Result is XYZ:"};

bool Contains(const unsigned char* bytes, size_t size, const char* mark) {
    const size_t length = std::strlen(mark);
    for (size_t at = 0; at + length <= size; ++at) {
        if (bytes[at] == static_cast<unsigned char>(mark[0]) && std::memcmp(bytes + at, mark, length) == 0) return true;
    }
    return false;
}

bool HasEdidHeader(const unsigned char* bytes, size_t size) {
    return size >= kEdidHeaderOffset + kEdidHeaderSize &&
           std::memcmp(bytes + kEdidHeaderOffset, kEdidHeader, kEdidHeaderSize) == 0;
}

// The labels of EDID dumps, whose decoded text after the digits may hold any
// byte: edid-decode's and hardware probes' "(hex):", xrandr's "EDID:".
constexpr const char* kEdidDumpMarks[] = {"(hex):", "EDID:"};

// Text as the EDID reader sees it: white space and printable ASCII only.
bool IsText(const unsigned char* bytes, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        const unsigned char c = bytes[i];
        if (!(c >= 0x20 && c < 0x7F) && !(c >= '\t' && c <= '\r')) return false;
    }
    return true;
}

}  // namespace

LoadSource DetectSource(const unsigned char* bytes, size_t size) {
    if (HasIccFileSignature(bytes, size)) return LoadSource::kProfile;
    if (HasEdidHeader(bytes, size)) return LoadSource::kEdid;
    for (const char* mark : kMeasurementMarks) {
        if (Contains(bytes, size, mark)) return LoadSource::kMeasurement;
    }
    for (const char* mark : kEdidDumpMarks) {
        if (Contains(bytes, size, mark)) return LoadSource::kEdid;
    }
    return IsText(bytes, size) ? LoadSource::kEdid : LoadSource::kProfile;
}
