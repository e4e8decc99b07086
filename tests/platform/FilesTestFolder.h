#pragma once
// For tests that put odd things on disk: a folder of their own under /tmp, made before
// each test and removed with all it holds after it, and a file's whole contents.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

class ScratchFolderTest : public ::testing::Test {
protected:
    // The folder is /tmp/harrowvale-<name>-XXXXXX.
    explicit ScratchFolderTest(std::string name) : name_(std::move(name)) {}

    // A test that adds its own set-up returns when this one failed (HasFatalFailure).
    void SetUp() override {
        std::string pattern = "/tmp/harrowvale-" + name_ + "-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        if (!dir.empty()) std::filesystem::remove_all(dir);
    }

    std::string dir;

private:
    std::string name_;
};

// What the file holds (empty when it cannot be read).
inline std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
