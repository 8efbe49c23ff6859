#include "profile/edid_file.h"

#include <memory>
#include <new>

#include "profile/apply_edid.h"
#include "profile/edid.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;
using ReadBuffer = std::unique_ptr<unsigned char[]>;

// One byte past the limit, so that a file over it shows as over it.
constexpr size_t kEdidReadSize = kEdidFileLimit + 1;

EdidReport Refusal(EdidStatus status) { return {status, 0, 0, 0}; }

// Plain reads until the end: a sysfs edid file or a pipe cannot be sized by
// seeking, since the length it reports is not what a read returns.
EdidReport ReadStream(std::FILE* stream, ReadBuffer& bytes, size_t& used) {
    bytes.reset(new (std::nothrow) unsigned char[kEdidReadSize]);
    if (!bytes) return Refusal(EdidStatus::kNoMemory);
    used = 0;
    while (used < kEdidReadSize) {
        size_t got = std::fread(bytes.get() + used, 1, kEdidReadSize - used, stream);
        if (got == 0) break;
        used += got;
    }
    if (std::ferror(stream)) return Refusal(EdidStatus::kUnreadable);
    if (used > kEdidFileLimit) return Refusal(EdidStatus::kTooLarge);
    return {EdidStatus::kApplied, 0, 0, 0};
}

}  // namespace

EdidReport LoadEdidFrom(Dialog dlg, const char* path) {
    if (path[0] == '\0') return Refusal(EdidStatus::kCannotOpen);
    FileHandle file(std::fopen(path, "rb"));
    if (!file) return Refusal(EdidStatus::kCannotOpen);
    ReadBuffer bytes;
    size_t used = 0;
    EdidReport report = ReadStream(file.get(), bytes, used);
    file.reset();
    if (report.status != EdidStatus::kApplied) return report;
    return ApplyEdidBytes(dlg, bytes.get(), used);
}

EdidReport LoadEdidFromStream(Dialog dlg, std::FILE* stream) {
    ReadBuffer bytes;
    size_t used = 0;
    EdidReport report = ReadStream(stream, bytes, used);
    if (report.status != EdidStatus::kApplied) return report;
    return ApplyEdidBytes(dlg, bytes.get(), used);
}
