// A save interrupted by SIGKILL at any moment leaves the old record or the new one,
// byte for byte, never a mix or nothing; and the game's reader starts from it.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

#include "save/SaveFile.h"
#include "save/SaveRecord.h"

namespace {

SaveData Record(uint32_t scene, bool musicMuted) {
    SaveData record;
    record.sceneIndex = scene;
    record.musicMuted = musicMuted;
    record.musicVolume = musicMuted ? 0.25f : 1.0f;
    return record;
}

}  // namespace

TEST(SaveKill, AKilledWriterLeavesTheOldOrTheNewRecordWhole) {
    char pattern[] = "/tmp/harrowvale-savekill-XXXXXX";
    ASSERT_TRUE(mkdtemp(pattern));
    const std::string folder = std::string(pattern) + "/Harrowvale";
    const savefile::Paths paths{folder, folder + "/GlobalSav.dat"};
    const SaveImage older = EncodeSave(Record(10, false));
    const SaveImage newer = EncodeSave(Record(13, true));
    ASSERT_TRUE(savefile::Write(paths, older));

    std::mt19937 random(7);
    std::uniform_int_distribution<int> microseconds(0, 3000);
    for (int round = 0; round < 200; ++round) {
        const pid_t writer = fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {  // saves the two records in turn until killed
            for (bool flip = false;; flip = !flip) savefile::Write(paths, flip ? older : newer);
        }
        usleep(static_cast<useconds_t>(microseconds(random)));
        kill(writer, SIGKILL);
        int status = 0;
        waitpid(writer, &status, 0);

        std::vector<uint8_t> bytes;
        ASSERT_TRUE(savefile::Read(paths.file, bytes)) << "round " << round;
        const SaveImage found = [&] {
            SaveImage image{};
            std::copy_n(bytes.begin(), std::min(bytes.size(), image.size()), image.begin());
            return image;
        }();
        ASSERT_EQ(bytes.size(), SaveData::kBytes) << "round " << round;
        ASSERT_TRUE(found == older || found == newer) << "round " << round;
        const SaveData loaded = DecodeSave(bytes.data(), bytes.size());
        EXPECT_TRUE(loaded.sceneIndex == 10 || loaded.sceneIndex == 13);
    }
    std::filesystem::remove_all(pattern);
}
