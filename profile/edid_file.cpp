#include "profile/edid_file.h"

#include "profile/apply_edid.h"
#include "profile/edid.h"
#include "profile/read_file.h"

namespace {

EdidReport ApplyRead(Dialog dlg, FileStatus read, const FileBytes& bytes) {
    if (read != FileStatus::kRead) return {EdidStatusOfFile(read), 0, 0, 0};
    return ApplyEdidBytes(dlg, bytes.data.get(), bytes.size);
}

}  // namespace

EdidReport LoadEdidFrom(Dialog dlg, const char* path) {
    FileBytes bytes;
    FileStatus read = ReadWholeFile(path, kEdidFileLimit, bytes);
    return ApplyRead(dlg, read, bytes);
}

EdidReport LoadEdidFromStream(Dialog dlg, std::FILE* stream) {
    FileBytes bytes;
    FileStatus read = ReadWholeStream(stream, kEdidFileLimit, bytes);
    return ApplyRead(dlg, read, bytes);
}
