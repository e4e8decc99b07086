// The save record against whatever may sit at its two paths: pipes, links, folders, a
// huge file, a write the system refuses. The game never waits, never writes outside its
// folder, never loses the good record and never dies of it.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "platform/FilesTestFolder.h"
#include "save/SaveFile.h"
#include "save/SaveRecord.h"

namespace {

namespace fs = std::filesystem;

SaveImage Record(uint32_t scene) {
    SaveData record;
    record.sceneIndex = scene;
    record.sfxMuted = scene % 2 == 1;
    return EncodeSave(record);
}

std::string AsText(const SaveImage& image) { return {image.begin(), image.end()}; }

// A read-only folder, as root can meet it: creating the temporary file is refused.
class ReadOnlyFolder : public savefile::FileSystem {
public:
    int OpenForWrite(const std::string&) override { return errno = EROFS, -1; }
};

class SaveHostileTest : public ScratchFolderTest {
protected:
    SaveHostileTest() : ScratchFolderTest("savehostile") {}
    void SetUp() override {
        ScratchFolderTest::SetUp();
        if (HasFatalFailure()) return;
        paths = {dir + "/Harrowvale", dir + "/Harrowvale/GlobalSav.dat"};
        temp = paths.file + "temp";
        outside = dir + "/outside.txt";
    }
    void TearDown() override {
        savefile::SetFileSystem(nullptr);
        ScratchFolderTest::TearDown();
    }

    // Saves twice with a file-size limit smaller than a record, in a child whose stderr
    // goes to a pipe (no file: the limit would cut it too): the child must live to tell,
    // both saves fail, and one line is said.
    void SaveUnderFileSizeLimit() {
        int said[2];
        ASSERT_EQ(pipe(said), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            dup2(said[1], 2);
            const rlimit limit{10, 10};
            setrlimit(RLIMIT_FSIZE, &limit);
            const bool first = savefile::Write(paths, Record(13));
            const bool second = savefile::Write(paths, Record(13));
            _exit(!first && !second ? 0 : 3);
        }
        close(said[1]);
        int status = 0;
        waitpid(child, &status, 0);
        std::string text(4096, '\0');
        const ssize_t got = read(said[0], text.data(), text.size());
        close(said[0]);
        text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
        EXPECT_EQ(WEXITSTATUS(status), 0) << "a save past the limit reported success";
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
        EXPECT_NE(text.find("File too large"), std::string::npos) << text;
    }

    std::string temp, outside;
    savefile::Paths paths;
};

TEST_F(SaveHostileTest, NothingAtEitherPathStopsTheGameOrLeavesItsFolder) {
    struct Case {
        const char* what;
        std::function<void()> arrange;  // after the good record (scene 10) was saved
        bool readable;                  // the reader takes what is at the save path
        bool saves;                     // the new record (scene 13) replaces the old one
        bool tempStays = false;         // something at the temporary path could not go
        bool inChildWithSizeLimit = false;
    };
    const Case cases[] = {
        {"a named pipe at the save path", [&] { fs::remove(paths.file); mkfifo(paths.file.c_str(), 0600); }, false, true},
        {"a named pipe at the temporary path", [&] { mkfifo(temp.c_str(), 0600); }, true, true},
        {"a link at the temporary path to a file outside", [&] { fs::create_symlink(outside, temp); }, true, true},
        {"a dangling link at the temporary path", [&] { fs::create_symlink(dir + "/nowhere", temp); }, true, true},
        {"a link at the save path to a file outside",
         [&] { fs::remove(paths.file); fs::create_symlink(outside, paths.file); }, true, true},
        {"an empty folder at the temporary path", [&] { fs::create_directory(temp); }, true, true},
        {"a full folder at the temporary path",
         [&] { fs::create_directory(temp); std::ofstream(temp + "/x") << "x"; }, true, false, true},
        {"a folder at the save path",
         [&] { fs::remove(paths.file); fs::create_directories(paths.file + "/x"); }, false, false},
        {"a save file grown to 64 MB", [&] { fs::resize_file(paths.file, 64u << 20); }, true, true},
        {"a stale temporary file from a killed save", [&] { std::ofstream(temp) << "half"; }, true, true},
        {"a file-size limit below a record", [] {}, true, false, false, true},
        {"a read-only folder", [] { static ReadOnlyFolder readOnly; savefile::SetFileSystem(&readOnly); }, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(paths.folder);
        std::ofstream(outside) << "not the game's";
        ASSERT_TRUE(savefile::Write(paths, Record(10)));
        c.arrange();

        std::vector<uint8_t> bytes;
        ASSERT_EQ(savefile::Read(paths.file, bytes), c.readable);  // returns at once, pipe or not
        if (c.readable) {
            EXPECT_LE(bytes.size(), SaveData::kBytes);
        }

        if (c.inChildWithSizeLimit) {
            SaveUnderFileSizeLimit();
        } else {
            EXPECT_EQ(savefile::Write(paths, Record(13)), c.saves);
        }
        savefile::SetFileSystem(nullptr);

        EXPECT_EQ(Contents(outside), "not the game's");
        EXPECT_EQ(fs::exists(fs::symlink_status(temp)), c.tempStays);
        if (c.saves) {
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(paths.file)));
            EXPECT_EQ(Contents(paths.file), AsText(Record(13)));
        } else if (fs::is_regular_file(fs::symlink_status(paths.file))) {
            EXPECT_EQ(Contents(paths.file), AsText(Record(10)));  // the good record is whole
        }
    }
}

}  // namespace
