// Scene files: {"GameObjects": [...], "Components": [...], "Dialogue": [...]}.
#include <malloc.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

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

bool NamesPicture(const std::string& text) {
    static constexpr char kSuffix[] = ".png";
    constexpr std::size_t kLength = sizeof(kSuffix) - 1;
    if (text.size() <= kLength) return false;
    return std::equal(text.end() - kLength, text.end(), kSuffix,
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

// Every string of the file that names a PNG picture, in file order (documents are at
// most 128 deep).
void CollectPictures(const JsonValue& value, std::vector<std::string>& out) {
    std::string text;
    if (json::AsString(value, text)) {
        if (NamesPicture(text)) out.push_back(std::move(text));
    } else if (value.IsArray()) {
        for (const JsonValue& element : value.GetArray()) CollectPictures(element, out);
    } else if (value.IsObject()) {
        for (const auto& member : value.GetObject()) CollectPictures(member.value, out);
    }
}

// Pictures decoded on worker threads for as long as it lives.
class PicturesDecodedAhead {
public:
    explicit PicturesDecodedAhead(const std::vector<std::string>& paths) {
        GraphicsEngine::GetInstance().textures.DecodeAhead(paths);
    }
    ~PicturesDecodedAhead() { GraphicsEngine::GetInstance().textures.EndDecodeAhead(); }
    PicturesDecodedAhead(const PicturesDecodedAhead&) = delete;
    PicturesDecodedAhead& operator=(const PicturesDecodedAhead&) = delete;
};

// A load frees far more than a frame ever allocates: the previous scene's pictures and
// objects, the decoders' buffers, the scene file. The heap keeps freed memory for reuse
// (see platform/Heap.h), so without this a player's process would only ever grow to the
// largest load's high water. Once the decoders are done, the free pages go back.
void ReturnWhatTheLoadFreed() {
    GraphicsEngine::GetInstance().textures.EndDecodeAhead();
    malloc_trim(0);
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

    // Decoding its pictures is almost all of a load: those its file names and those every
    // load builds are decoded on worker threads while the objects are built, which only
    // upload them as they load them. What the load did not use is dropped with it. The
    // old scene's pictures go first, so that the two scenes' are not resident together.
    std::vector<std::string> pictures;
    CollectPictures(document, pictures);
    if (Hooks().collectPictures) Hooks().collectPictures(pictures);
    GraphicsEngine::GetInstance().ReleaseTexturesBefore(pictures);
    const PicturesDecodedAhead decoding(pictures);

    BuildSceneObjects(*objects);
    for (const JsonValue& entry : components->GetArray()) CreateComponent(entry);
    GraphicsEngine::GetInstance().ReleaseUnusedTextures();
    jobs.RunJobs(JobKind::Lookup);
    StartAll();
    RestorePersistentObjects();
    SceneLoadedAll();

    for (auto* sceneLoaded : Hooks().sceneLoaded)
        if (sceneLoaded) sceneLoaded(document);
    InputManager::GetInstance().ResetCurrent();
    jobs.RemoveJobs(JobKind::Never);
    jobs.RemoveJobs(JobKind::SceneLoad);
    jobs.RemoveJobs(JobKind::Lookup);
    ReturnWhatTheLoadFreed();
}
