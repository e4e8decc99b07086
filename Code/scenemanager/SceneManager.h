#pragma once
// Owns every game object: the current scene's object table (an object's id is its
// slot) and the persistent objects that survive scene loads. Loads scene and prefab
// files, updates every component once per frame, and calls the game's hooks at a load,
// a clear and before each update. It is the core's object table (installed from its
// construction to its destruction).
#include <cstdint>
#include <string>
#include <vector>

#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/Handle.h"
#include "gameobjectengine/JsonRead.h"
#include "gameobjectengine/ObjectTable.h"
#include "gameobjectengine/SlotPool.h"

// What the game does at the scene manager's points, installed once at start (the app's
// InstallGameHooks). Empty entries are skipped.
struct SceneHooks {
    static constexpr std::size_t kMaxLoaded = 4;
    // Adds the pictures every load builds besides those its file names (decoded ahead).
    void (*collectPictures)(std::vector<std::string>& out) = nullptr;
    // In this order, once a load has started its objects and the persistent ones have
    // joined and heard of it; given the scene file's document. Not called when the file
    // is missing or malformed.
    void (*sceneLoaded[kMaxLoaded])(const JsonValue& document) = {};
    // After the scene's objects are gone (each clear, and a load's start).
    void (*sceneCleared)() = nullptr;
    // Each frame, before the objects update.
    void (*beforeUpdate)() = nullptr;
};

class SceneManager final : public ObjectTable {
public:
    static constexpr std::size_t kMaxObjects = 1024;

    static SceneManager& GetInstance();
    ~SceneManager();

    // Replaces the hooks (the program's start; every test engine).
    static void InstallHooks(const SceneHooks& hooks);

    // Reads a scene file into objects and components, starts them and calls the hooks.
    // A missing, unreadable or malformed file leaves the scene empty.
    void LoadScene(const std::string& path);
    // Builds one object from a prefab file with a name no other object has; null on failure.
    GameObject* LoadPrefab(const std::string& path);
    // Clears the table: scene objects are destroyed, persistent ones only taken out.
    void ClearScene();
    // The quit pass: every object, persistent ones too, destroyed.
    void DestroyAll();
    void Update();

    // Builds one component from its JSON through the factory, wakes it and attaches it.
    Component* CreateComponent(const JsonValue& json);

    GameObject* CreateGameObject(const std::string& name, bool active = true);
    GameObject* GetGameObject(int32_t id) const override;
    GameObject* GetGameObjectByName(const std::string& name) const;
    int CountGameObjectsByName(const std::string& name) const override;
    // Deferred destruction (kind-3 job). Only the object that holds the id now is destroyed.
    void DestroyGameObject(int32_t id) override;
    void DestroyGameObjectNow(int32_t id);

    // Persistent objects.
    void AddPersistent(GameObject* object) override;
    bool IsPersistent(const GameObject* object) const;
    const std::vector<GameObject*>& PersistentObjects() const { return persistent_; }

    template <typename T>
    T* FindComponentOfType() const {
        const std::size_t mark = objects_.Mark();
        for (std::size_t i = 0; i < mark; ++i)
            if (GameObject* object = objects_.Get(i))
                if (T* found = object->GetComponent<T>()) return found;
        return nullptr;
    }

    // The first T of every object of the scene (table order); the caller owns the pool.
    template <typename T>
    SlotPool<T, PoolOwnership::Borrowing>* FindAllComponentsOfType() const {
        auto* found = new SlotPool<T, PoolOwnership::Borrowing>(kMaxObjects);
        objects_.ForEach([found](GameObject* object) {
            if (T* component = object->GetComponent<T>()) found->Add(component);
        });
        return found;
    }

    const SlotPool<GameObject>& Objects() const { return objects_; }

    uint32_t currentSceneIndex = 0;

private:
    SceneManager();
    bool BuildSceneObjects(const JsonValue& entries);
    void StartAll();
    void RestorePersistentObjects();
    void SceneLoadedAll();
    void UpdateObjects();
    static SceneHooks& Hooks();

    SlotPool<GameObject> objects_{kMaxObjects};
    std::vector<GameObject*> persistent_;
};

// Applies one "GameObjects" entry's tag and layer (elements 2 and 3) to an object.
void ApplyObjectEntry(GameObject& object, const JsonValue& entry);
