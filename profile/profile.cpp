#include "profile/profile.h"

#include "profile/decode_profile.h"
#include "source/colorimetry.h"
#include "source/read_file.h"

char g_profilePath[kProfilePathSize];

LoadReport LoadProfileFrom(Dialog dlg, const char* path) {
    FileBytes bytes;
    FileStatus read = ReadWholeFile(path, kNoFileLimit, bytes);
    if (read != FileStatus::kRead) return {LoadStatusOfFile(read), 0, 0, 0, 0};
    return ApplyProfileBytes(dlg, bytes.data.get(), bytes.size);
}

void LoadProfile(Dialog dlg) { LoadProfileFrom(dlg, g_profilePath); }
