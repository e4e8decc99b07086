// Scene files: {"GameObjects": [...], "Components": [...], "Dialogue": [...]}.
#include <string>

#include "animationmanager/AnimationManager.h"
#include "gameobjectengine/InputManager.h"
#include "gameobjectengine/JobManager.h"
#include "graphics/GraphicsEngine.h"
#include "scenemanager/ComponentFactory.h"
#include "scenemanager/SceneManager.h"

void ApplyObjectEntry(GameObject& object, const JsonValue& entry) {
    if (entry.Size() >= 3) json::AsString(entry[2], object.tag);
    if (entry.Size() >= 4) json::AsUint(entry[3], object.layer);
}

namespace {

// Name and active flag of a "GameObjects" entry; false when the entry only reserves its id.
bool ReadObjectHeader(const JsonValue& entry, std::string& name, bool& active) {
    if (!entry.IsArray() || entry.Size() < 2) return false;
    if (!json::AsString(entry[0], name)) return false;
    return json::AsFlag(entry[1], active);
}

}  // namespace

bool SceneManager::BuildSceneObjects(const JsonValue& entries) {
    for (const JsonValue& entry : entries.GetArray()) {
        std::string name;
        bool active = true;
        if (!ReadObjectHeader(entry, name, active)) {
            objects_.Reserve();
            continue;
        }
        GameObject* object = CreateGameObject(name, active);
        if (!object) return false;
        ApplyObjectEntry(*object, entry);
    }
    return true;
}

Component* SceneManager::CreateComponent(const JsonValue& json) {
    const std::string className = json::ReadString(json, "class", "");
    // A component whose object does not exist is never built: it could never be attached.
    GameObject* owner = GetGameObject(json::ReadInt(json, "gameObjectID", 0));
    if (!owner || !factory::Knows(className)) return nullptr;
    Component* component = factory::Construct(className, json);
    if (!component) return nullptr;
    component->Awake();
    if (!owner->components.Add(component)) {
        component->OnDestroy();
        delete component;
        return nullptr;
    }
    return component;
}

void SceneManager::StartAll() {
    objects_.ForEach([](GameObject* object) { object->components.ForEach([](Component* c) { c->Start(); }); });
}

void SceneManager::RestorePersistentObjects() {
    for (GameObject* object : persistent_) {
        if (GetGameObject(object->id) == object) continue;  // joined during this load: already in the table
        const std::size_t slot = objects_.FirstFree();
        if (slot >= objects_.Capacity()) continue;
        objects_.Add(object);
        object->id = static_cast<int32_t>(slot);
        // Its components name their object by id: keep them pointing at it.
        object->components.ForEach([object](Component* c) { c->gameObjectID = object->id; });
    }
}

void SceneManager::SceneLoadedAll() {
    objects_.ForEach([](GameObject* object) { object->components.ForEach([](Component* c) { c->OnSceneLoaded(); }); });
}

void SceneManager::LoadScene(const std::string& path) {
    JobManager& jobs = JobManager::GetInstance();
    jobs.Clear();
    ClearScene();

    std::string text;
    if (!json::ReadFile(path, text)) return;
    JsonDocument document;
    // Malformed files are treated as missing ones: the scene stays empty.
    if (!json::Parse(text, document)) return;
    const JsonValue* objects = json::FindArray(document, "GameObjects");
    const JsonValue* components = json::FindArray(document, "Components");
    if (!objects || !components) return;

    BuildSceneObjects(*objects);
    for (const JsonValue& entry : components->GetArray()) CreateComponent(entry);
    GraphicsEngine::GetInstance().ReleaseUnusedTextures();
    jobs.RunJobs(JobKind::Lookup);
    StartAll();
    RestorePersistentObjects();
    SceneLoadedAll();

    HandOverDialogue(json::FindArray(document, "Dialogue"));
    SetUpParty();
    SetUpSceneDialogue();
    InputManager::GetInstance().ResetCurrent();
    jobs.RemoveJobs(JobKind::Never);
    jobs.RemoveJobs(JobKind::SceneLoad);
    jobs.RemoveJobs(JobKind::Lookup);
}
