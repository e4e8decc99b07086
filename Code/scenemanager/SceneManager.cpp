#include "scenemanager/SceneManager.h"

#include <algorithm>

#include "audio/AudioListener.h"
#include "audio/AudioManager.h"
#include "combat/CombatUnit.h"
#include "combat/UnitController.h"
#include "dialogue/DialogueManager.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/InputManager.h"
#include "gameobjectengine/JobManager.h"
#include "graphics/Camera.h"
#include "physics/PhysicsManager.h"
#include "scenemanager/ComponentFactory.h"

SceneManager& SceneManager::GetInstance() {
    static SceneManager instance;
    return instance;
}

SceneManager::SceneManager() = default;

SceneManager::~SceneManager() {
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
    // Bind the object too: if the slot is reused by the time the job runs, nothing happens.
    Handle<GameObject> expected(target);
    JobManager::Instance().AddJob(
        [this, id, expected]() {
            GameObject* object = expected.Get();
            if (object && GetGameObject(id) == object) DestroyGameObjectNow(id);
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
    // A failed load must not leave the party pointing into the cleared scene.
    ClearControllers();
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
    UpdateDialogueKeys();
    UpdateObjects();
    JobManager::Instance().RunJobs(JobKind::Frame);
}

void SceneManager::UpdateDialogueKeys() {
    Dialogue::DialogueManager& dialogue = Dialogue::DialogueManager::Instance();
    if (!dialogue.ModalLineActive()) return;
    const InputManager& input = InputManager::GetInstance();
    if (input.GetKeyDown(InputAction::Jump) && !dialogue.RevealRestOfLine()) dialogue.NextDialogue(true);
    if (input.Current(InputAction::Back) != 0 && GameFlags::Any(GameFlags::Cutscene)) {
        const bool wasSet = dialogue.skipToggle;
        dialogue.skipToggle = !wasSet;
        if (wasSet) {
            // A conversation has far fewer lines than this; the bound only guards a broken one.
            for (int guard = 0; guard < 100000 && dialogue.NextDialogue(false) == 0; ++guard) {
            }
        }
    }
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

SlotPool<Combat::CombatUnit, PoolOwnership::Borrowing>* SceneManager::FindAllCombatUnits() const {
    auto* units = new SlotPool<Combat::CombatUnit, PoolOwnership::Borrowing>(kMaxObjects);
    objects_.ForEach([units](GameObject* object) {
        if (auto* unit = object->GetComponent<Combat::CombatUnit>()) units->Add(unit);
    });
    return units;
}

void SceneManager::ClearControllers() {
    thiefPlayer_.Reset();
    magePlayer_.Reset();
    thiefAI_.Reset();
    mageAI_.Reset();
    currentPlayer_.Reset();
    currentAI_.Reset();
}

void SceneManager::SetUpParty() {
    GameObject* thief = GetGameObjectByName("Thief");
    GameObject* mage = GetGameObjectByName("Mage");
    ClearControllers();
    if (thief) {
        thiefPlayer_ = thief->GetComponent<PlayerUnitController>();
        thiefAI_ = thief->GetComponent<AIUnitController>();
        currentPlayer_ = thiefPlayer_;
    }
    if (mage && !thief) {
        thiefPlayer_ = mage->GetComponent<PlayerUnitController>();
        thiefAI_ = mage->GetComponent<AIUnitController>();
        currentPlayer_ = thiefPlayer_;
    }
    if (mage && thief) {
        magePlayer_ = mage->GetComponent<PlayerUnitController>();
        mageAI_ = mage->GetComponent<AIUnitController>();
        currentAI_ = mageAI_;
    }
    if (AIUnitController* c = thiefAI_.Get()) c->Disable();
    if (PlayerUnitController* c = thiefPlayer_.Get()) c->Enable();
    if (AIUnitController* c = mageAI_.Get()) c->Enable();
    if (PlayerUnitController* c = magePlayer_.Get()) c->Disable();
}

namespace {

bool UnitEnabled(const PlayerUnitController* controller) {
    if (!controller || !controller->owner) return false;
    const auto* unit = controller->owner->GetComponent<Combat::CombatUnit>();
    return unit && unit->enabled && unit->IsAlive();  // a hero without a unit, or a dead one, cannot lead
}

void SetListener(PlayerUnitController* controller, bool enabled) {
    if (!controller || !controller->owner) return;
    if (auto* listener = controller->owner->GetComponent<AudioListener>()) listener->enabled = enabled;
}

}  // namespace

void SceneManager::SwapCharacter() {
    PlayerUnitController* thiefPlayer = thiefPlayer_.Get();
    PlayerUnitController* magePlayer = magePlayer_.Get();
    if (!thiefPlayer || !magePlayer || !UnitEnabled(thiefPlayer) || !UnitEnabled(magePlayer)) return;
    AIUnitController* thiefAI = thiefAI_.Get();
    AIUnitController* mageAI = mageAI_.Get();
    if (currentPlayer_.Get() != thiefPlayer) {
        if (thiefAI) thiefAI->Disable();
        magePlayer->Disable();
        thiefPlayer->Enable();
        if (mageAI) mageAI->Enable();
        currentPlayer_ = thiefPlayer;
        currentAI_ = mageAI;
        SetListener(thiefPlayer, true);
        SetListener(magePlayer, false);
    } else {
        thiefPlayer->Disable();
        if (mageAI) mageAI->Disable();
        if (thiefAI) thiefAI->Enable();
        magePlayer->Enable();
        currentPlayer_ = magePlayer;
        currentAI_ = thiefAI;
        SetListener(magePlayer, true);
        SetListener(thiefPlayer, false);
    }
    thiefPlayer->swapTimer = 0.0f;
    magePlayer->swapTimer = 0.0f;
    AudioManager::Instance().PlaySound("Assets/Audio/SFX/Swap.ogg", 1, false, -1, 0.8f);
    if (Camera* camera = PhysicsManager::GetInstance().MainCamera()) camera->SwapTargets();
}
