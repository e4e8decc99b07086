// Data files that are not what they seem: only regular files within the reader's cap are
// read, and nothing blocks (a named pipe with no writer would otherwise wait for good).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/Files.h"
#include "platform/FilesTestFolder.h"

namespace {

class FilesTest : public ScratchFolderTest {
protected:
    FilesTest() : ScratchFolderTest("files") {}
    void SetUp() override {
        ScratchFolderTest::SetUp();
        if (HasFatalFailure()) return;
        std::ofstream(dir + "/scene", std::ios::binary) << "abc";
        std::filesystem::create_directory(dir + "/folder");
        ASSERT_EQ(mkfifo((dir + "/pipe").c_str(), 0600), 0);
    }
};

TEST_F(FilesTest, OnlyRegularFilesWithinTheCapAreRead) {
    struct Case {
        std::string path;
        std::size_t cap;
        bool read;
    } cases[] = {
        {dir + "/scene", 3, true},      {dir + "/scene", 2, false},  // larger than the cap
        {dir + "/folder", 1 << 20, false}, {dir + "/pipe", 1 << 20, false},
        {"/dev/zero", 1 << 20, false},  {dir + "/missing", 1 << 20, false},
    };
    for (const Case& c : cases) {
        std::string text = "untouched";
        EXPECT_EQ(platform::ReadRegularFile(c.path, c.cap, text), c.read) << c.path;
        EXPECT_EQ(text, c.read ? "abc" : "untouched") << c.path;
        std::FILE* file = platform::OpenRegularFile(c.path);
        EXPECT_EQ(file != nullptr, c.path == dir + "/scene") << c.path;
        if (file) {
            EXPECT_EQ(std::fgetc(file), 'a');  // reads normally once opened
            std::fclose(file);
        }
    }
}

}  // namespace
