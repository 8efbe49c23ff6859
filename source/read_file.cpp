#include "source/read_file.h"

#include <cstring>
#include <new>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// A pipe, or a file of unknown length, starts with this much room.
constexpr size_t kFirstChunk = 64 * 1024;

// What the file's length says is left from here, or 0 when no length can be
// had. Only a hint: the reads decide.
uintmax_t RemainingByLength(std::FILE* stream) {
    long here = std::ftell(stream);
    if (here < 0 || std::fseek(stream, 0, SEEK_END) != 0) return 0;
    long end = std::ftell(stream);
    if (std::fseek(stream, here, SEEK_SET) != 0 || end < here) return 0;
    return static_cast<uintmax_t>(end - here);
}

// Room for `wanted` bytes, keeping the `used` already read; false when the
// heap has none.
bool Grow(FileBytes& bytes, size_t used, size_t wanted) {
    std::unique_ptr<unsigned char[]> larger(new (std::nothrow) unsigned char[wanted]);
    if (!larger) return false;
    if (used > 0) std::memcpy(larger.get(), bytes.data.get(), used);
    bytes.data = std::move(larger);
    return true;
}

// The next size to try: doubled, but never past the ceiling.
size_t NextRoom(size_t room, size_t ceiling) { return room > ceiling / 2 ? ceiling : room * 2; }

// One byte is read first, so that a stream that opens but cannot be read (a
// directory) says so before its meaningless length is believed. The buffer
// then starts at the length the stream reports plus one byte, or at a chunk
// where it reports none, and doubles while the stream holds more, up to one
// byte past the limit: a file that grew or shrank since its length was taken
// is read as it stands.
FileStatus ReadToEnd(std::FILE* stream, size_t limit, bool trust_length, FileBytes& out) {
    out = FileBytes{nullptr, 0};
    int first = std::fgetc(stream);
    if (first == EOF) return std::ferror(stream) ? FileStatus::kUnreadable : FileStatus::kEmpty;
    // The limit plus the byte that shows a stream is over it.
    const size_t ceiling = limit < SIZE_MAX ? limit + 1 : SIZE_MAX;
    const uintmax_t remaining = trust_length ? RemainingByLength(stream) : 0;
    if (remaining >= ceiling) return FileStatus::kTooLarge;
    // The first byte, the rest, and one more to see whether it grew.
    size_t room = kFirstChunk < ceiling ? kFirstChunk : ceiling;
    if (remaining > 0) room = remaining + 1 < ceiling ? static_cast<size_t>(remaining) + 2 : ceiling;
    if (!Grow(out, 0, room)) return FileStatus::kNoMemory;
    out.data[0] = static_cast<unsigned char>(first);
    size_t used = 1;
    for (;;) {
        used += std::fread(out.data.get() + used, 1, room - used, stream);
        if (used < room || room == ceiling) break;
        room = NextRoom(room, ceiling);
        if (!Grow(out, used, room)) return FileStatus::kNoMemory;
    }
    if (std::ferror(stream)) return FileStatus::kUnreadable;
    if (used > limit) return FileStatus::kTooLarge;
    out.size = used;
    return FileStatus::kRead;
}

}  // namespace

FileStatus ReadWholeFile(const char* path, size_t limit, FileBytes& out) {
    out = FileBytes{nullptr, 0};
    if (path[0] == '\0') return FileStatus::kCannotOpen;
    FileHandle file(std::fopen(path, "rb"));
    if (!file) return FileStatus::kCannotOpen;
    return ReadToEnd(file.get(), limit, true, out);
}

// A stream handed over (standard input) is never sought: some runtimes let a
// pipe seek and then lose what it held.
FileStatus ReadWholeStream(std::FILE* stream, size_t limit, FileBytes& out) {
    return ReadToEnd(stream, limit, false, out);
}
