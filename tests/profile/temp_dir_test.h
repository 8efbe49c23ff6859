// A fixture with a folder of its own for the files a test writes, removed
// afterwards.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Unique per run, so that builds tested side by side do not meet.
        auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        dir_ = std::filesystem::temp_directory_path() / ("tintmend-test-" + std::to_string(stamp));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    std::string Write(const char* name, const std::vector<unsigned char>& bytes) {
        std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    std::filesystem::path dir_;
};
