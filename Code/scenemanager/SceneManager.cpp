#include "scenemanager/SceneManager.h"

#include <algorithm>

#include "gameobjectengine/JobManager.h"

SceneManager& SceneManager::GetInstance() {
    static SceneManager instance;
    return instance;
}

SceneManager::SceneManager() { ObjectTable::Install(this); }

SceneHooks& SceneManager::Hooks() {
    static SceneHooks hooks;
    return hooks;
}

void SceneManager::InstallHooks(const SceneHooks& hooks) { Hooks() = hooks; }

SceneManager::~SceneManager() {
    ObjectTable::Install(nullptr);
    // At exit nothing else may be called: components are freed without OnDestroy
    // (the quit pass already destroyed the running game properly).
    for (std::size_t i = 0; i < objects_.Mark(); ++i)
        if (GameObject* object = objects_.Get(i)) {
            if (IsPersistent(object)) objects_.Detach(i);
            else object->components.Clear();
        }
    objects_.Clear();
    for (GameObject* object : persistent_) {
        object->components.Clear();
        delete object;
    }
    persistent_.clear();
}

GameObject* SceneManager::CreateGameObject(const std::string& name, bool active) {
    const std::size_t slot = objects_.FirstFree();
    if (slot >= objects_.Capacity()) return nullptr;
    auto* object = new GameObject(name);
    object->active = active;
    object->id = static_cast<int32_t>(slot);
    objects_.Add(object);
    return object;
}

GameObject* SceneManager::GetGameObject(int32_t id) const {
    if (id < 0 || static_cast<std::size_t>(id) >= objects_.Mark()) return nullptr;
    return objects_.Get(static_cast<std::size_t>(id));
}

GameObject* SceneManager::GetGameObjectByName(const std::string& name) const {
    for (std::size_t i = 0; i < objects_.Mark(); ++i)
        if (GameObject* object = objects_.Get(i); object && object->name == name) return object;
    for (GameObject* object : persistent_)
        if (object->name == name) return object;
    return nullptr;
}

int SceneManager::CountGameObjectsByName(const std::string& name) const {
    // Distinct objects: a persistent object that is also in the table counts once.
    int count = 0;
    for (std::size_t i = 0; i < objects_.Mark(); ++i)
        if (GameObject* object = objects_.Get(i); object && object->name == name) ++count;
    for (GameObject* object : persistent_) {
        if (object->name != name) continue;
        const bool inTable = GetGameObject(object->id) == object;
        if (!inTable) ++count;
    }
    return count;
}

void SceneManager::DestroyGameObject(int32_t id) {
    GameObject* target = GetGameObject(id);
    if (!target) return;
    // The job holds the object, not its id: an object gone (or out of the table) by the
    // time the job runs is left alone, whatever took its slot meanwhile.
    Handle<GameObject> expected(target);
    JobManager::GetInstance().AddJob(
        [this, expected]() {
            GameObject* object = expected.Get();
            if (object && GetGameObject(object->id) == object) DestroyGameObjectNow(object->id);
        },
        JobKind::Frame, 0.0f);
}

void SceneManager::DestroyGameObjectNow(int32_t id) {
    GameObject* object = GetGameObject(id);
    if (!object) return;
    persistent_.erase(std::remove(persistent_.begin(), persistent_.end(), object), persistent_.end());
    object->RemoveAllComponents();
    objects_.Remove(static_cast<std::size_t>(id));
}

void SceneManager::AddPersistent(GameObject* object) {
    if (!object || IsPersistent(object)) return;
    persistent_.push_back(object);
}

bool SceneManager::IsPersistent(const GameObject* object) const {
    return std::find(persistent_.begin(), persistent_.end(), object) != persistent_.end();
}

void SceneManager::ClearScene() {
    const std::size_t mark = objects_.Mark();
    for (std::size_t i = 0; i < mark; ++i) {
        GameObject* object = objects_.Get(i);
        if (object && IsPersistent(object)) {
            objects_.Detach(i);
            continue;
        }
        if (object) object->RemoveAllComponents();
        objects_.Remove(i);
    }
    // A failed load must not leave the game pointing into the cleared scene.
    if (Hooks().sceneCleared) Hooks().sceneCleared();
}

void SceneManager::DestroyAll() {
    ClearScene();
    for (GameObject* object : persistent_) object->components.ForEach([](Component* c) { c->OnDestroy(); });
    for (GameObject* object : persistent_) {
        object->components.Clear();
        delete object;
    }
    persistent_.clear();
}

void SceneManager::Update() {
    if (Hooks().beforeUpdate) Hooks().beforeUpdate();
    UpdateObjects();
    JobManager::GetInstance().RunJobs(JobKind::Frame);
}

void SceneManager::UpdateObjects() {
    const std::size_t mark = objects_.Mark();
    for (std::size_t i = 0; i < mark; ++i) {
        GameObject* object = objects_.Get(i);
        if (!object || !object->active) continue;
        const std::size_t componentMark = object->components.Mark();
        for (std::size_t c = 0; c < componentMark; ++c) {
            Component* component = object->components.Get(c);
            if (component && component->enabled) component->Update();
        }
    }
}
