#include "source/read_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// Pipes have no length to seek to: the reader must grow its buffer past its
// first chunk and stop one byte past the limit. Native builds only: neither
// Windows under Wine nor Node offers popen as the tests need it.
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
TEST(ReadWholeStream, ReadsPipesToTheirEndWithinTheLimit) {
    struct Case {
        const char* label;
        size_t bytes;  // what the pipe carries
        size_t limit;
        FileStatus status;
    };
    const Case cases[] = {
        {"past the first chunk, no limit", 200000, kNoFileLimit, FileStatus::kRead},
        {"exactly the limit", 32768, 32768, FileStatus::kRead},
        {"one byte over the limit", 32769, 32768, FileStatus::kTooLarge},
        {"nothing", 0, kNoFileLimit, FileStatus::kEmpty},
    };
    for (const Case& c : cases) {
        std::string command = "head -c " + std::to_string(c.bytes) + " /dev/zero";
        std::FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr) << c.label;
        FileBytes bytes;
        EXPECT_EQ(ReadWholeStream(pipe, c.limit, bytes), c.status) << c.label;
        EXPECT_EQ(bytes.size, c.status == FileStatus::kRead ? c.bytes : 0u) << c.label;
        pclose(pipe);
    }
}
#endif

}  // namespace
