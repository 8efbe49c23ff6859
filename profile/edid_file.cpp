#include "profile/edid_file.h"

#include "profile/apply_edid.h"
#include "profile/describe_load.h"
#include "profile/edid.h"
#include "profile/read_file.h"

namespace {

EdidReport ApplyRead(Dialog dlg, FileStatus read, const FileBytes& bytes, char (&account)[kLoadAccountSize]) {
    account[0] = '\0';
    if (read != FileStatus::kRead) return {EdidStatusOfFile(read), 0, 0, 0};
    return ApplyAndDescribe(dlg, DecodeEdid, bytes.data.get(), bytes.size, account);
}

}  // namespace

EdidReport LoadEdidFrom(Dialog dlg, const char* path, char (&account)[kLoadAccountSize]) {
    FileBytes bytes;
    FileStatus read = ReadWholeFile(path, kEdidFileLimit, bytes);
    return ApplyRead(dlg, read, bytes, account);
}

EdidReport LoadEdidFromStream(Dialog dlg, std::FILE* stream, char (&account)[kLoadAccountSize]) {
    FileBytes bytes;
    FileStatus read = ReadWholeStream(stream, kEdidFileLimit, bytes);
    return ApplyRead(dlg, read, bytes, account);
}

EdidReport LoadEdidFrom(Dialog dlg, const char* path) {
    char account[kLoadAccountSize];
    return LoadEdidFrom(dlg, path, account);
}

EdidReport LoadEdidFromStream(Dialog dlg, std::FILE* stream) {
    char account[kLoadAccountSize];
    return LoadEdidFromStream(dlg, stream, account);
}
