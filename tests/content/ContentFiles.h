#pragma once
// Read-only views of the game's scene and prefab files for the content checks.
#include <memory>
#include <string>
#include <vector>

#include "gameobjectengine/JsonRead.h"

namespace content {

struct ContentFile {
    std::string path;
    int index = -1;        // scene table index, -1 for files outside the table and prefabs
    bool prefab = false;
    bool parsed = false;
    JsonDocument doc;

    // "GameObjects" (scenes) or "GameObject" (prefabs); null when missing.
    const JsonValue* Objects() const;
    const JsonValue* Components() const;
    const JsonValue* Dialogue() const;

    int ObjectCount() const;
    // The name of object id, or empty for a placeholder or an id outside the list.
    std::string NameOf(int id) const;
    std::string TagOf(int id) const;
    bool IsObject(int id) const;
    // The first object with this name, -1 when none.
    int Find(const std::string& name) const;
    // Every component of one class (on one object when id >= 0).
    std::vector<const JsonValue*> All(const std::string& className, int id = -1) const;
    const JsonValue* First(const std::string& className, int id = -1) const;
    const JsonValue* On(const std::string& objectName, const std::string& className) const;
    bool Has(int id, const std::string& className) const { return First(className, id) != nullptr; }
};

// Every file under Assets/Scenes (*.scene) and Assets/Prefabs (*.prefab), parsed.
const std::vector<std::unique_ptr<ContentFile>>& AllFiles();
// The scene of a table index, null when its file is missing.
const ContentFile* SceneAt(int index);

int IdOf(const JsonValue& component);
std::string ClassOf(const JsonValue& component);

}  // namespace content
