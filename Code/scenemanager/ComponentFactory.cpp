#include "scenemanager/ComponentFactory.h"

#include <cstring>

#include "gameobjectengine/Transform.h"
#include "scenemanager/SceneTransition.h"

namespace factory {
namespace {

using Builder = Component* (*)(const JsonValue&);

template <typename T>
Component* Build(const JsonValue& json) {
    return new T(json);
}

struct Entry {
    const char* className;
    Builder build;  // null while the class is not part of the game yet: builds nothing
};

// The class strings are part of the file format, spelling included.
const Entry kClasses[] = {
    {"Transform", &Build<Transform>},
    {"BoxCollider", nullptr},
    {"CircleCollider", nullptr},
    {"RigidBody", nullptr},
    {"SpriteRenderer", nullptr},
    {"CombatUnit", nullptr},
    {"PlayerUnitController", nullptr},
    {"AIUnitController", nullptr},
    {"Camera", nullptr},
    {"UIText", nullptr},
    {"NavMeshAgent", nullptr},
    {"TimeToLive", nullptr},
    {"Translate", nullptr},
    {"Animator", nullptr},
    {"DialogueBox", nullptr},
    {"Follow", nullptr},
    {"AudioSource", nullptr},
    {"SceneTransition", &Build<SceneTransition>},
    {"DontDestroyOnLoad", nullptr},
    {"EnemyBehaviour", nullptr},
    {"Canvas", nullptr},
    {"Button", nullptr},
    {"MainMenu", nullptr},
    {"PauseMenu", nullptr},
    {"OptionsMenu", nullptr},
    {"GameManager", nullptr},
    {"CreditsFlowController", nullptr},
    {"Portal", nullptr},
    {"Fader", nullptr},
    {"SaveManager", nullptr},
    {"DyanmicBGM", nullptr},
    {"Deleteelse ifExist", nullptr},
    {"AudioListener", nullptr},
    {"TransitionalBGM", nullptr},
    {"TriggerDialogueNext", nullptr},
    {"TriggerEnableAIController", nullptr},
    {"TriggerEnableEnemyBehaviour", nullptr},
    {"TriggerEnableInput", nullptr},
    {"TriggerRigidbodyDirection", nullptr},
};

const Entry* FindEntry(const std::string& className) {
    for (const Entry& entry : kClasses)
        if (className == entry.className) return &entry;
    return nullptr;
}

}  // namespace

Component* Construct(const std::string& className, const JsonValue& json) {
    const Entry* entry = FindEntry(className);
    return (entry && entry->build) ? entry->build(json) : nullptr;
}

bool Knows(const std::string& className) {
    const Entry* entry = FindEntry(className);
    return entry && entry->build;
}

}  // namespace factory
