#include "level/Triggers.h"

#include "combat/EnemyBehaviour.h"
#include "combat/UnitController.h"
#include "dialogue/DialogueManager.h"
#include "gameobjectengine/InputManager.h"
#include "physics/Rigidbody.h"

void TriggerDialogueNext::OnTrigger() { Dialogue::DialogueManager::GetInstance().NextDialogue(true); }

TriggerEnableAIController::TriggerEnableAIController(const JsonValue& json)
    : TriggerBasic(json), enable(json::ReadFlag(json, "enable", true)) {
    QueueTargetLookup(this, json::ReadInt(json, "target", -1), target);
}

void TriggerEnableAIController::OnTrigger() {
    if (AIUnitController* controller = target.Get()) controller->enabled = enable;
}

TriggerEnableEnemyBehaviour::TriggerEnableEnemyBehaviour(const JsonValue& json)
    : TriggerBasic(json), enable(json::ReadFlag(json, "enable", true)) {
    QueueTargetLookup(this, json::ReadInt(json, "target", -1), target);
}

void TriggerEnableEnemyBehaviour::OnTrigger() {
    if (EnemyBehaviour* behaviour = target.Get()) behaviour->enabled = enable;
}

TriggerEnableInput::TriggerEnableInput(const JsonValue& json)
    : TriggerBasic(json), enable(json::ReadFlag(json, "enable", true)) {}

void TriggerEnableInput::OnTrigger() {
    InputManager& input = InputManager::GetInstance();
    input.enabled = enable;
    if (enable) return;
    input.held.fill(0);
    input.ResetCurrent();
}

TriggerRigidbodyDirection::TriggerRigidbodyDirection(const JsonValue& json)
    : TriggerBasic(json), left(json::ReadFlag(json, "left", true)) {
    QueueTargetLookup(this, json::ReadInt(json, "target", -1), target);
}

void TriggerRigidbodyDirection::OnTrigger() {
    if (Rigidbody* body = target.Get()) body->facing = left ? 0u : 1u;
}
