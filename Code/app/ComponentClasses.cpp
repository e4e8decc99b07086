#include "app/ComponentClasses.h"

#include <iterator>

#include "animationmanager/Animator.h"
#include "audio/AudioListener.h"
#include "audio/AudioSource.h"
#include "audio/DynamicBGM.h"
#include "audio/TransitionalBGM.h"
#include "combat/CombatUnit.h"
#include "combat/EnemyBehaviour.h"
#include "combat/UnitController.h"
#include "dialogue/DialogueBox.h"
#include "gameobjectengine/Transform.h"
#include "gameobjectengine/DeleteIfExist.h"
#include "scenemanager/DontDestroyOnLoad.h"
#include "gameobjectengine/Follow.h"
#include "gameobjectengine/TimeToLive.h"
#include "physics/Translate.h"
#include "graphics/Camera.h"
#include "graphics/Fader.h"
#include "graphics/SpriteRenderer.h"
#include "graphics/UIText.h"
#include "level/CreditsFlowController.h"
#include "level/GameManager.h"
#include "level/Portal.h"
#include "level/Triggers.h"
#include "physics/BoxCollider.h"
#include "physics/CircleCollider.h"
#include "physics/NavMeshAgent.h"
#include "physics/Rigidbody.h"
#include "save/SaveManager.h"
#include "scenemanager/ComponentFactory.h"
#include "scenemanager/SceneTransition.h"
#include "ui/Button.h"
#include "ui/Canvas.h"
#include "ui/MainMenu.h"
#include "ui/OptionsMenu.h"
#include "ui/PauseMenu.h"

namespace {

template <typename T>
Component* Build(const JsonValue& json) {
    return new T(json);
}

// The class strings are part of the file format, spelling included. A null builder:
// the class is not part of the game yet and builds nothing.
const factory::ClassEntry kClasses[] = {
    {"Transform", &Build<Transform>},
    {"BoxCollider", &Build<BoxCollider>},
    {"CircleCollider", &Build<CircleCollider>},
    {"RigidBody", &Build<Rigidbody>},
    {"SpriteRenderer", &Build<SpriteRenderer>},
    {"CombatUnit", &Build<Combat::CombatUnit>},
    {"PlayerUnitController", &Build<PlayerUnitController>},
    {"AIUnitController", &Build<AIUnitController>},
    {"Camera", &Build<Camera>},
    {"UIText", &Build<UIText>},
    {"NavMeshAgent", &Build<NavMeshAgent>},
    {"TimeToLive", &Build<TimeToLive>},
    {"Translate", &Build<Translate>},
    {"Animator", &Build<Animator>},
    {"DialogueBox", &Build<DialogueBox>},
    {"Follow", &Build<Follow>},
    {"AudioSource", &Build<AudioSource>},
    {"SceneTransition", &Build<SceneTransition>},
    {"DontDestroyOnLoad", &Build<DontDestroyOnLoad>},
    {"EnemyBehaviour", &Build<EnemyBehaviour>},
    {"Canvas", &Build<UI::Canvas>},
    {"Button", &Build<UI::Button>},
    {"MainMenu", &Build<UI::MainMenu>},
    {"PauseMenu", &Build<UI::PauseMenu>},
    {"OptionsMenu", &Build<UI::OptionsMenu>},
    {"GameManager", &Build<GameManager>},
    {"CreditsFlowController", &Build<CreditsFlowController>},
    {"Portal", &Build<Portal>},
    {"Fader", &Build<Fader>},
    {"SaveManager", &Build<SaveManager>},
    {"DyanmicBGM", &Build<DynamicBGM>},
    {"Deleteelse ifExist", &Build<DeleteIfExist>},
    {"AudioListener", &Build<AudioListener>},
    {"TransitionalBGM", &Build<TransitionalBGM>},
    {"TriggerDialogueNext", &Build<TriggerDialogueNext>},
    {"TriggerEnableAIController", &Build<TriggerEnableAIController>},
    {"TriggerEnableEnemyBehaviour", &Build<TriggerEnableEnemyBehaviour>},
    {"TriggerEnableInput", &Build<TriggerEnableInput>},
    {"TriggerRigidbodyDirection", &Build<TriggerRigidbodyDirection>},
};

}  // namespace

void InstallComponentClasses() { factory::InstallClasses(kClasses, std::size(kClasses)); }
