#include "profile/profile.h"

#include "profile/apply_profile.h"
#include "profile/read_file.h"

char g_profilePath[kProfilePathSize];

ProfileReport LoadProfileFrom(Dialog dlg, const char* path) {
    FileBytes bytes;
    FileStatus read = ReadWholeFile(path, kNoFileLimit, bytes);
    if (read != FileStatus::kRead) return {ProfileStatusOfFile(read), 0};
    return ApplyProfileBytes(dlg, bytes.data.get(), bytes.size);
}

void LoadProfile(Dialog dlg) { LoadProfileFrom(dlg, g_profilePath); }
