#include "save/SaveManager.h"

#include <vector>

#include "audio/AudioManager.h"
#include "graphics/GraphicsEngine.h"
#include "save/SaveFile.h"

void SaveManager::Start() {
    const savefile::Paths paths = savefile::Locate();
    folderPath = paths.folder;
    filePath = paths.file;
    std::vector<uint8_t> bytes;
    if (savefile::Read(filePath, bytes)) record = DecodeSave(bytes.data(), bytes.size());
    else Save();
    Apply();
}

bool SaveManager::Save() {
    if (filePath.empty()) return false;
    return savefile::Write({folderPath, filePath}, EncodeSave(record));
}

void SaveManager::Apply() const {
    GraphicsEngine::GetInstance().SetFullscreen(record.fullscreen);
    AudioManager& audio = AudioManager::GetInstance();
    audio.lastResult = audio.Group(0).SetMute(record.musicMuted);
    audio.lastResult = audio.Group(1).SetMute(record.sfxMuted);
    audio.lastResult = audio.Group(0).SetVolume(record.musicVolume);
    audio.lastResult = audio.Group(1).SetVolume(record.sfxVolume);
}
