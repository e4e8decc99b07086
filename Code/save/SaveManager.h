#pragma once
// Owns the game's only persistent data, the save record (save/SaveRecord.h): reads it
// when its scene starts and applies the settings at once (window mode, mutes and
// volumes of the music and effects groups), and writes it back whenever a scene has
// finished loading and when the component is destroyed. Menus and the game manager
// change the record in memory through SceneManager::FindComponentOfType<SaveManager>();
// a scene without one stores nothing.
#include <string>

#include "gameobjectengine/Component.h"
#include "save/SaveRecord.h"

class SaveManager : public Component {
public:
    using SaveData = ::SaveData;

    explicit SaveManager(int32_t objectID) : Component(objectID) {}
    explicit SaveManager(const JsonValue& json) : Component(json) {}

    // Locates the file, reads it (a missing file is written with the defaults), applies.
    void Start() override;
    void OnDestroy() override { Save(); }
    void OnSceneLoaded() override { Save(); }

    // Writes the record; false when there is nowhere to write or the write failed (the
    // settings then live in memory only).
    bool Save();

    SaveData record;
    std::string folderPath;
    std::string filePath;

private:
    void Apply() const;
};
