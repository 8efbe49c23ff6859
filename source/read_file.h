// Reading a whole file, or a stream to its end, into one heap buffer: the one
// way every reader gets its bytes. It works where a length cannot be had by
// seeking (pipes, standard input, sysfs files that report a size they do not
// hold), and refuses anything over the caller's limit before holding it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>

enum class FileStatus {
    kRead,
    kCannotOpen,  // empty path, missing file, no permission
    kUnreadable,  // opens, but reading it fails (a directory)
    kTooLarge,    // more than the limit, or more than memory can be asked for
    kEmpty,
    kNoMemory,    // no buffer for what it holds
};

// No limit but what the heap can hold.
constexpr size_t kNoFileLimit = SIZE_MAX;

struct FileBytes {
    std::unique_ptr<unsigned char[]> data;
    size_t size;
};

// At most limit bytes; the file is closed on every path.
FileStatus ReadWholeFile(const char* path, size_t limit, FileBytes& out);

// The same from a stream already open, from where it stands to its end, left
// open. Binary input wants the stream in binary mode, which on Windows is the
// caller's to set.
FileStatus ReadWholeStream(std::FILE* stream, size_t limit, FileBytes& out);
