// Prefab files: {"GameObject": [[name, active, tag?, layer?]], "Components": [...]}.
// A prefab becomes one new object of the running scene, with a name no other object has.
#include <string>

#include "gameobjectengine/JobManager.h"
#include "scenemanager/ComponentFactory.h"
#include "scenemanager/SceneManager.h"

namespace {

// The entry's name if free, else name0, name1, ... (the counter always goes on the entry's name).
std::string UniqueName(const SceneManager& scene, const std::string& name) {
    std::string candidate = name;
    for (unsigned counter = 0; scene.GetGameObjectByName(candidate); ++counter)
        candidate = name + std::to_string(counter);
    return candidate;
}

// A copy of a component's JSON that names the prefab's new object as its owner.
void RetargetComponent(const JsonValue& source, int32_t id, JsonDocument& copy) {
    copy.CopyFrom(source, copy.GetAllocator());
    if (!copy.IsObject()) return;
    auto it = copy.FindMember("gameObjectID");
    if (it != copy.MemberEnd()) it->value.SetInt(id);
    else copy.AddMember("gameObjectID", id, copy.GetAllocator());
}

}  // namespace

GameObject* SceneManager::LoadPrefab(const std::string& path) {
    JobManager::GetInstance().RemoveJobs(JobKind::Lookup);
    std::string text;
    if (!json::ReadFile(path, text)) return nullptr;
    JsonDocument document;
    if (!json::Parse(text, document)) return nullptr;
    const JsonValue* header = json::FindArray(document, "GameObject");
    const JsonValue* components = json::FindArray(document, "Components");
    if (!header || !components || header->Empty()) return nullptr;
    const JsonValue& entry = (*header)[0];
    std::string name;
    bool active = true;
    if (!entry.IsArray() || entry.Size() < 2 || !json::AsString(entry[0], name) || !json::AsFlag(entry[1], active))
        return nullptr;
    if (objects_.FirstFree() >= objects_.Capacity()) return nullptr;

    GameObject* object = CreateGameObject(UniqueName(*this, name), active);
    if (!object) return nullptr;
    ApplyObjectEntry(*object, entry);

    // Each component is built for the new object, whatever id the file gives it, so its
    // look-ups and its attachment target this object.
    for (const JsonValue& source : components->GetArray()) {
        JsonDocument retargeted;
        RetargetComponent(source, object->id, retargeted);
        CreateComponent(retargeted);
    }
    JobManager::GetInstance().RunJobs(JobKind::Lookup);
    object->components.ForEach([](Component* c) { c->Start(); });
    return object;
}
