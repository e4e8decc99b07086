#include "combat/Party.h"

#include "audio/AudioListener.h"
#include "audio/AudioManager.h"
#include "combat/CombatUnit.h"
#include "combat/UnitController.h"
#include "gameobjectengine/HeroNames.h"
#include "graphics/Camera.h"
#include "scenemanager/SceneManager.h"

namespace Combat {

Party& Party::GetInstance() {
    static Party instance;
    return instance;
}

void Party::Clear() {
    thiefPlayer_.Reset();
    magePlayer_.Reset();
    thiefAI_.Reset();
    mageAI_.Reset();
    currentPlayer_.Reset();
    currentAI_.Reset();
}

void Party::SetUp() {
    const SceneManager& scene = SceneManager::GetInstance();
    GameObject* thief = scene.GetGameObjectByName(Heroes::kThief);
    GameObject* mage = scene.GetGameObjectByName(Heroes::kMage);
    Clear();
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
    const auto* unit = controller->owner->GetComponent<CombatUnit>();
    return unit && unit->enabled && unit->IsAlive();  // a hero without a unit, or a dead one, cannot lead
}

void SetListener(PlayerUnitController* controller, bool enabled) {
    if (!controller || !controller->owner) return;
    if (auto* listener = controller->owner->GetComponent<AudioListener>()) listener->enabled = enabled;
}

}  // namespace

bool Party::SwapCharacter() {
    PlayerUnitController* thiefPlayer = thiefPlayer_.Get();
    PlayerUnitController* magePlayer = magePlayer_.Get();
    if (!thiefPlayer || !magePlayer || !UnitEnabled(thiefPlayer) || !UnitEnabled(magePlayer)) return false;
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
    AudioManager::GetInstance().PlaySound("Assets/Audio/SFX/Swap.ogg", 1, false, -1, 0.8f);
    if (Camera* camera = Camera::Main()) camera->SwapTargets();
    return true;
}

}  // namespace Combat
