#include "profile/profile.h"

#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <new>

#include "profile/apply_profile.h"

char g_profilePath[kProfilePathSize];

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

ProfileReport Refusal(ProfileStatus status) { return {status, 0}; }

// The length by seeking to the end, as a size the heap can be asked for.
ProfileReport FindLength(std::FILE* file, size_t& length) {
    if (std::fseek(file, 0, SEEK_END) != 0) return Refusal(ProfileStatus::kUnknownLength);
    long end = std::ftell(file);
    if (end < 0) return Refusal(ProfileStatus::kUnknownLength);
    if (end == 0) return Refusal(ProfileStatus::kEmpty);
    if (static_cast<uintmax_t>(end) > std::numeric_limits<size_t>::max()) {
        return Refusal(ProfileStatus::kTooLarge);
    }
    length = static_cast<size_t>(end);
    return {ProfileStatus::kApplied, 0};
}

}  // namespace

ProfileReport LoadProfileFrom(Dialog dlg, const char* path) {
    if (path[0] == '\0') return Refusal(ProfileStatus::kCannotOpen);
    FileHandle file(std::fopen(path, "rb"));
    if (!file) return Refusal(ProfileStatus::kCannotOpen);
    // Some systems open a directory for reading and report a meaningless
    // length for it; its first read fails, so try one before trusting a length.
    if (std::fgetc(file.get()) == EOF && std::ferror(file.get())) {
        return Refusal(ProfileStatus::kUnreadable);
    }
    size_t length = 0;
    ProfileReport report = FindLength(file.get(), length);
    if (report.status != ProfileStatus::kApplied) return report;
    std::unique_ptr<unsigned char[]> bytes(new (std::nothrow) unsigned char[length]);
    if (!bytes) return Refusal(ProfileStatus::kNoMemory);
    // A file that shrank since its length was taken reads short: refuse it
    // rather than decode bytes that were never read.
    if (std::fseek(file.get(), 0, SEEK_SET) != 0 ||
        std::fread(bytes.get(), 1, length, file.get()) != length) {
        return Refusal(ProfileStatus::kShortRead);
    }
    file.reset();
    return ApplyProfileBytes(dlg, bytes.get(), length);
}

void LoadProfile(Dialog dlg) { LoadProfileFrom(dlg, g_profilePath); }
