#include "source/load_report.h"

LoadStatus LoadStatusOfFile(FileStatus status) {
    switch (status) {
        case FileStatus::kRead: return LoadStatus::kApplied;
        case FileStatus::kCannotOpen: return LoadStatus::kCannotOpen;
        case FileStatus::kUnreadable: return LoadStatus::kUnreadable;
        case FileStatus::kTooLarge: return LoadStatus::kTooLarge;
        case FileStatus::kEmpty: return LoadStatus::kEmpty;
        case FileStatus::kNoMemory: return LoadStatus::kNoMemory;
    }
    return LoadStatus::kUnreadable;
}
