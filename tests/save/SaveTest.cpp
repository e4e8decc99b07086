// The save record: its byte image, reading damaged files, where it lives and how it is
// replaced, and what the SaveManager applies.
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>

#include "ui/UiFixture.h"
#include "save/SaveFile.h"
#include "save/SaveManager.h"
#include "scenemanager/SceneManager.h"

namespace {

const std::vector<uint8_t> kFresh = {0x06, 0, 0, 0, 0, 0, 0x80, 0x3F, 0, 0, 0, 0, 0, 0, 0x80, 0x3F, 0, 1, 0, 0};
const char* kSaveScene = R"({"GameObjects": [["Save", 1]], "Components": [{"class": "SaveManager", "gameObjectID": 0}]})";

std::vector<uint8_t> Image(const SaveData& record) {
    const SaveImage image = EncodeSave(record);
    return {image.begin(), image.end()};
}

std::vector<uint8_t> WithFloat(std::vector<uint8_t> bytes, std::size_t at, float value) {
    uint32_t raw = 0;
    std::memcpy(&raw, &value, 4);
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(raw >> (8 * i));
    return bytes;
}

}  // namespace

using SaveTest = UiTest;

TEST_F(SaveTest, FirstRunCreatesTheFolderAndWritesTheFreshImage) {
    engine.LoadSceneText(kSaveScene);
    EXPECT_EQ(ReadSave(), kFresh);
    EXPECT_FALSE(std::filesystem::exists(SavePath() + "temp"));
    EXPECT_TRUE(GraphicsEngine::GetInstance().IsFullscreen());
}

TEST_F(SaveTest, DecodingReadsWholeFieldsSanitisesAndKeepsReservedBytes) {
    SaveData custom;
    custom.sceneIndex = 12;
    custom.musicVolume = 0.25f;
    custom.musicMuted = true;
    custom.reservedA = {1, 2, 3};
    custom.sfxVolume = 0.5f;
    custom.sfxMuted = true;
    custom.fullscreen = false;
    custom.reservedB = {4, 5};
    // The same record as the file holds it: scene 12, music 0.25 muted, reserved 1 2 3,
    // effects 0.5 muted, windowed, reserved 4 5.
    const std::vector<uint8_t> stored = {12, 0, 0, 0, 0, 0, 0x80, 0x3E, 1, 1, 2, 3, 0, 0, 0, 0x3F, 1, 0, 4, 5};
    std::vector<uint8_t> flags = kFresh;
    flags[8] = 7;
    flags[17] = 0;
    std::vector<uint8_t> longer = Image(custom);
    longer.insert(longer.end(), {9, 9, 9, 9});
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        uint32_t scene;
        float music, sfx;
        bool musicMuted, fullscreen;
        uint8_t reserved9;
    };
    const Case cases[] = {
        {"round trip", stored, 12, 0.25f, 0.5f, true, false, 1},
        {"10 bytes: first fields and one reserved byte", {10, 0, 0, 0, 0, 0, 0, 0x3F, 1, 8}, 10, 0.5f, 1, true, true, 8},
        {"6 bytes: a partial volume keeps its default", {11, 0, 0, 0, 0, 0}, 11, 1, 1, false, true, 0},
        {"empty", {}, 6, 1, 1, false, true, 0},
        {"longer than a record", longer, 12, 0.25f, 0.5f, true, false, 1},
        {"scene 19 is outside the table", {19, 0, 0, 0}, 6, 1, 1, false, true, 0},
        {"scene far outside", {0, 0, 0, 0x80}, 6, 1, 1, false, true, 0},
        {"not a number", WithFloat(WithFloat(kFresh, 4, nan), 12, nan), 6, 1, 1, false, true, 0},
        {"infinite and negative", WithFloat(WithFloat(kFresh, 4, inf), 12, -0.5f), 6, 1, 1, false, true, 0},
        {"above one", WithFloat(WithFloat(kFresh, 4, 1.5f), 12, 0.0f), 6, 1, 0, false, true, 0},
        {"any non-zero flag byte", flags, 6, 1, 1, true, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SaveData d = DecodeSave(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(d.sceneIndex, c.scene);
        EXPECT_EQ(d.musicVolume, c.music);
        EXPECT_EQ(d.sfxVolume, c.sfx);
        EXPECT_EQ(d.musicMuted, c.musicMuted);
        EXPECT_EQ(d.fullscreen, c.fullscreen);
        EXPECT_EQ(d.reservedA[0], c.reserved9);
    }
    // Flags go back as 0 or 1, reserved bytes as they were read.
    EXPECT_EQ(Image(custom), stored);
    EXPECT_EQ(Image(DecodeSave(stored.data(), stored.size())), stored);
    EXPECT_EQ(EncodeSave(DecodeSave(flags.data(), flags.size()))[8], 1);
}

TEST_F(SaveTest, TheFolderComesFromTheEnvironment) {
    struct Case {
        const char* appData;
        const char* dataHome;
        const char* home;
        std::string folder;
    };
    const Case cases[] = {
        {"/a", "/x", "/h", "/a/Harrowvale"},
        {"", "/x", "/h", "/x/Harrowvale"},
        {nullptr, nullptr, "/h", "/h/.local/share/Harrowvale"},
        {nullptr, nullptr, nullptr, ""},
    };
    const std::string saved[3] = {std::getenv("APPDATA") ? std::getenv("APPDATA") : "",
                                  std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "",
                                  std::getenv("HOME") ? std::getenv("HOME") : ""};
    const char* names[3] = {"APPDATA", "XDG_DATA_HOME", "HOME"};
    for (const Case& c : cases) {
        const char* values[3] = {c.appData, c.dataHome, c.home};
        for (int i = 0; i < 3; ++i) values[i] ? setenv(names[i], values[i], 1) : unsetenv(names[i]);
        const savefile::Paths paths = savefile::Locate();
        EXPECT_EQ(paths.folder, c.folder);
        EXPECT_EQ(paths.file, c.folder.empty() ? "" : c.folder + "/GlobalSav.dat");
    }
    for (int i = 0; i < 3; ++i) saved[i].empty() ? unsetenv(names[i]) : setenv(names[i], saved[i].c_str(), 1);
}

namespace {

// Real files, with one operation made to fail.
class FailingFileSystem : public savefile::FileSystem {
public:
    enum Fault { OpenFails, DiskFull, SyncFails, CloseFails, RenameFails };
    explicit FailingFileSystem(Fault f) : fault(f) {}
    int OpenForWrite(const std::string& path) override {
        if (fault == OpenFails) return errno = EACCES, -1;
        return FileSystem::OpenForWrite(path);
    }
    ssize_t Write(int fd, const void* data, std::size_t size) override {
        if (fault != DiskFull) return FileSystem::Write(fd, data, size);
        FileSystem::Write(fd, data, size / 2);  // half of it fits, then the disk is full
        return errno = ENOSPC, fault = RenameFails, -1;
    }
    int Sync(int fd) override { return fault == SyncFails ? (errno = EIO, -1) : FileSystem::Sync(fd); }
    int Close(int fd) override {
        const int result = FileSystem::Close(fd);
        return fault == CloseFails ? (errno = EIO, -1) : result;
    }
    int Rename(const std::string& from, const std::string& to) override {
        return fault == RenameFails ? (errno = EXDEV, -1) : FileSystem::Rename(from, to);
    }
    Fault fault;
};

}  // namespace

TEST_F(SaveTest, AFailedWriteLeavesTheOldFileAndNoTemporaryFile) {
    SaveData old;
    old.sceneIndex = 11;
    for (auto fault : {FailingFileSystem::OpenFails, FailingFileSystem::DiskFull, FailingFileSystem::SyncFails,
                       FailingFileSystem::CloseFails, FailingFileSystem::RenameFails}) {
        SCOPED_TRACE(static_cast<int>(fault));
        WriteSave(old);
        FailingFileSystem failing(fault);
        savefile::SetFileSystem(&failing);
        SaveData changed;
        changed.sceneIndex = 14;
        EXPECT_FALSE(savefile::Write(savefile::Locate(), EncodeSave(changed)));
        savefile::SetFileSystem(nullptr);
        EXPECT_EQ(ReadSave(), Image(old));
        EXPECT_FALSE(std::filesystem::exists(SavePath() + "temp"));
    }
}

TEST_F(SaveTest, WithoutAUsableFolderTheSettingsLiveInMemory) {
    // The folder's place is taken by a plain file: nothing can be created there.
    const std::string blocked = std::string(std::getenv("APPDATA")) + "-blocked";
    std::ofstream(blocked) << "x";
    setenv("APPDATA", blocked.c_str(), 1);
    engine.LoadSceneText(kSaveScene);
    auto* save = engine.Get<SaveManager>("Save");
    ASSERT_NE(save, nullptr);
    save->record.musicMuted = true;
    EXPECT_FALSE(save->Save());
    EXPECT_TRUE(save->record.musicMuted);
    // No path at all: nothing is written anywhere.
    save->filePath.clear();
    EXPECT_FALSE(save->Save());
    std::filesystem::remove(blocked);
}

TEST_F(SaveTest, StartAppliesTheStoredSettingsAndLoadsWriteThemBack) {
    SaveData stored;
    stored.musicMuted = true;
    stored.sfxVolume = 0.5f;
    stored.fullscreen = false;
    stored.reservedA = {7, 8, 9};
    stored.reservedB = {1, 2};
    WriteSave(stored);
    GraphicsEngine::GetInstance().SetFullscreen(true);
    engine.LoadSceneText(kSaveScene);
    EXPECT_TRUE(GroupMuted(0));
    EXPECT_FALSE(GroupMuted(1));
    EXPECT_FLOAT_EQ(GroupVolume(1), 0.5f);
    EXPECT_FALSE(GraphicsEngine::GetInstance().IsFullscreen());
    engine.Get<SaveManager>("Save")->record.sceneIndex = 10;
    EngineHarness::ResetEngine();  // destroys the scene: the record is saved on the way out
    const std::vector<uint8_t> saved = ReadSave();
    ASSERT_EQ(saved.size(), SaveData::kBytes);
    EXPECT_EQ(saved[0], 10);
    EXPECT_EQ((std::vector<uint8_t>{saved[9], saved[10], saved[11], saved[18], saved[19]}),
              (std::vector<uint8_t>{7, 8, 9, 1, 2}));
}

TEST_F(SaveTest, TheFirstSceneTakesItsIndexFromTheSceneTable) {
    engine.LoadSceneFile("Assets/Scenes/BetaSplashScreen.scene");
    EXPECT_EQ(SceneManager::GetInstance().currentSceneIndex, 3u);
}
