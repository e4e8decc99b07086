#include "app/GameHooks.h"

#include "combat/EmitterCalls.h"
#include "combat/Party.h"
#include "dialogue/DialogueManager.h"
#include "dialogue/SceneDialogue.h"
#include "particles/CombatEmitters.h"
#include "scenemanager/SceneManager.h"

namespace {

void SetUpParty(const JsonValue&) { Combat::Party::GetInstance().SetUp(); }

void ClearParty() { Combat::Party::GetInstance().Clear(); }

}  // namespace

void InstallGameHooks() {
    SceneHooks hooks;
    hooks.collectPictures = &Dialogue::DialogueManager::Pictures;
    // The dialogue is handed over before the party is set up, and sets up the scene after.
    hooks.sceneLoaded[0] = &Dialogue::HandOverSceneDialogue;
    hooks.sceneLoaded[1] = &SetUpParty;
    hooks.sceneLoaded[2] = &Dialogue::SetUpSceneDialogue;
    hooks.sceneCleared = &ClearParty;
    hooks.beforeUpdate = &Dialogue::UpdateDialogueKeys;
    SceneManager::InstallHooks(hooks);
    Combat::Emitters::Install(&CombatEmitters::GetInstance());
}
