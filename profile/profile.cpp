#include "profile/profile.h"

#include "profile/apply_profile.h"
#include "profile/describe_load.h"
#include "profile/read_file.h"

char g_profilePath[kProfilePathSize];

ProfileReport LoadProfileFrom(Dialog dlg, const char* path, char (&account)[kLoadAccountSize]) {
    account[0] = '\0';
    FileBytes bytes;
    FileStatus read = ReadWholeFile(path, kNoFileLimit, bytes);
    if (read != FileStatus::kRead) return {ProfileStatusOfFile(read), 0};
    return ApplyAndDescribe(dlg, DecodeProfile, bytes.data.get(), bytes.size, account);
}

ProfileReport LoadProfileFrom(Dialog dlg, const char* path) {
    char account[kLoadAccountSize];
    return LoadProfileFrom(dlg, path, account);
}

void LoadProfile(Dialog dlg) { LoadProfileFrom(dlg, g_profilePath); }
