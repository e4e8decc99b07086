#pragma once
// Owns every game object: the current scene's object table (an object's id is its
// slot) and the persistent objects that survive scene loads. Loads scene and prefab
// files, sets up the two-hero party, updates every component once per frame.
// It is the core's object table (installed from its construction to its destruction).
#include <cstdint>
#include <string>
#include <vector>

#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/Handle.h"
#include "gameobjectengine/JsonRead.h"
#include "gameobjectengine/ObjectTable.h"
#include "gameobjectengine/SlotPool.h"

class PlayerUnitController;
class AIUnitController;
namespace Combat { class CombatUnit; }

class SceneManager final : public ObjectTable {
public:
    static constexpr std::size_t kMaxObjects = 1024;

    static SceneManager& GetInstance();
    ~SceneManager();

    // Reads a scene file into objects and components, starts them and sets up the party.
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

    // Hands the player's control to the other hero; false (nothing changes) unless both
    // heroes have player controllers and enabled units.
    bool SwapCharacter();

    template <typename T>
    T* FindComponentOfType() const {
        const std::size_t mark = objects_.Mark();
        for (std::size_t i = 0; i < mark; ++i)
            if (GameObject* object = objects_.Get(i))
                if (T* found = object->GetComponent<T>()) return found;
        return nullptr;
    }

    // Every unit of the scene (at most one per object, table order); the caller owns the pool.
    SlotPool<Combat::CombatUnit, PoolOwnership::Borrowing>* FindAllCombatUnits() const;

    const SlotPool<GameObject>& Objects() const { return objects_; }

    PlayerUnitController* ThiefPlayerController() const { return thiefPlayer_.Get(); }
    PlayerUnitController* MagePlayerController() const { return magePlayer_.Get(); }
    AIUnitController* ThiefAIController() const { return thiefAI_.Get(); }
    AIUnitController* MageAIController() const { return mageAI_.Get(); }
    PlayerUnitController* CurrentPlayerController() const { return currentPlayer_.Get(); }
    AIUnitController* CurrentAIController() const { return currentAI_.Get(); }

    uint32_t currentSceneIndex = 0;

private:
    SceneManager();
    bool BuildSceneObjects(const JsonValue& entries);
    void StartAll();
    void RestorePersistentObjects();
    void SceneLoadedAll();
    void SetUpParty();
    void ClearControllers();
    // The dialogue calls of a load (SceneDialogue.cpp): the scene's "Dialogue" array
    // (null: none) before the party is set up, the scene set-up after it.
    void HandOverDialogue(const JsonValue* dialogue);
    void SetUpSceneDialogue();
    static void DialoguePictures(std::vector<std::string>& out);
    void UpdateDialogueKeys();
    void UpdateObjects();

    SlotPool<GameObject> objects_{kMaxObjects};
    std::vector<GameObject*> persistent_;

    Handle<PlayerUnitController> thiefPlayer_;
    Handle<PlayerUnitController> magePlayer_;
    Handle<AIUnitController> thiefAI_;
    Handle<AIUnitController> mageAI_;
    Handle<PlayerUnitController> currentPlayer_;
    Handle<AIUnitController> currentAI_;
};

// Applies one "GameObjects" entry's tag and layer (elements 2 and 3) to an object.
void ApplyObjectEntry(GameObject& object, const JsonValue& entry);
