#include "cli/save_calibration.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "calibration/write_calibration.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

[[noreturn]] void FailSave(const char* path, const char* reason) {
    std::fprintf(stderr, "tintmend-cli: cannot write %s: %s\n", path, reason);
    std::exit(kExitRefused);
}

// At most 18 digits, so that the number cannot overflow.
bool ParseSeconds(const char* text, int64_t& seconds) {
    const size_t length = std::strlen(text);
    if (length == 0 || length > 18 || std::strspn(text, "0123456789") != length) return false;
    seconds = 0;
    for (const char* c = text; *c != '\0'; ++c) seconds = seconds * 10 + (*c - '0');
    return true;
}

// SOURCE_DATE_EPOCH where it is set, so that the same fields give the same
// bytes on every run; otherwise the current time. Both in UTC.
IccDateTime CreationDate(const char* path) {
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    int64_t seconds = static_cast<int64_t>(std::time(nullptr));
    if (epoch != nullptr && epoch[0] != '\0' && !ParseSeconds(epoch, seconds)) {
        FailSave(path, "SOURCE_DATE_EPOCH is not a whole number of seconds");
    }
    IccDateTime date = {};
    if (!IccDateTimeFromEpoch(seconds, date)) FailSave(path, "the date lies outside the years 1970 to 9999");
    return date;
}

bool WriteWhole(const std::string& path, const unsigned char* bytes, size_t size, int& error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = errno;
        return false;
    }
    bool written = std::fwrite(bytes, 1, size, file) == size;
    if (!written) error = errno;
    if (std::fclose(file) != 0 && written) {
        error = errno;
        written = false;
    }
    return written;
}

// Over an existing file in one step, so that it is never seen half-written.
bool ReplaceFile(const std::string& from, const char* to, int& error) {
#ifdef _WIN32
    if (MoveFileExA(from.c_str(), to, MOVEFILE_REPLACE_EXISTING) != 0) return true;
    error = EACCES;
    return false;
#else
    if (std::rename(from.c_str(), to) == 0) return true;
    error = errno;
    return false;
#endif
}

// To standard output (in binary mode, where Windows would turn LF into
// CR LF), or to a temporary name beside the file that then replaces it.
void SaveBytes(const char* path, const unsigned char* bytes, size_t size) {
    if (std::strcmp(path, "-") == 0) {
#ifdef _WIN32
        _setmode(_fileno(stdout), _O_BINARY);
#endif
        if (std::fwrite(bytes, 1, size, stdout) != size || std::fflush(stdout) != 0) {
            FailSave("standard output", std::strerror(errno));
        }
        return;
    }
    const std::string temporary = std::string(path) + ".partial";
    int error = 0;
    if (!WriteWhole(temporary, bytes, size, error) || !ReplaceFile(temporary, path, error)) {
        std::remove(temporary.c_str());
        FailSave(path, std::strerror(error));
    }
}

void FailRefused(const char* path, const CalibrationReport& report) {
    char reason[kCalibrationReasonSize];
    DescribeCalibrationReport(report, reason);
    FailSave(path, reason);
}

bool IsStandardOutput(const char* path) { return path != nullptr && std::strcmp(path, "-") == 0; }

}  // namespace

// Both files are made before either is saved, so that a refusal leaves both
// as they were.
bool SaveCalibrationFiles(Session& session) {
    Dialog dlg = &session.form;
    static unsigned char cal[kCalFileBufferSize];
    static unsigned char profile[kProfileBufferSize];
    size_t cal_size = 0;
    size_t profile_size = 0;
    if (session.cal_path != nullptr) {
        const CalibrationReport report = WriteCalFile(dlg, cal, cal_size);
        if (report.status != CalibrationStatus::kReady) FailRefused(session.cal_path, report);
    }
    if (session.profile_path != nullptr) {
        const IccDateTime created = CreationDate(session.profile_path);
        const CalibrationReport report = WriteDisplayProfile(dlg, created, profile, profile_size);
        if (report.status != CalibrationStatus::kReady) FailRefused(session.profile_path, report);
    }
    if (session.cal_path != nullptr) SaveBytes(session.cal_path, cal, cal_size);
    if (session.profile_path != nullptr) SaveBytes(session.profile_path, profile, profile_size);
    return IsStandardOutput(session.cal_path) || IsStandardOutput(session.profile_path);
}
