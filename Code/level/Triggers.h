#pragma once
// The trigger kinds: what a "Player" walking into the area does.
#include "gameobjectengine/Handle.h"
#include "level/TriggerBasic.h"

class AIUnitController;
class EnemyBehaviour;
class Rigidbody;

// Advances the conversation (with sound).
class TriggerDialogueNext : public TriggerBasic {
public:
    explicit TriggerDialogueNext(const JsonValue& json) : TriggerBasic(json) {}
    void OnTrigger() override;
};

// Switches the AI controller of object "target" on or off ("enable", absent: on).
class TriggerEnableAIController : public TriggerBasic {
public:
    explicit TriggerEnableAIController(const JsonValue& json);
    void OnTrigger() override;

    Handle<AIUnitController> target;
    bool enable = true;
};

// Switches the enemy behaviour of object "target" on or off ("enable", absent: on).
class TriggerEnableEnemyBehaviour : public TriggerBasic {
public:
    explicit TriggerEnableEnemyBehaviour(const JsonValue& json);
    void OnTrigger() override;

    Handle<EnemyBehaviour> target;
    bool enable = true;
};

// Switches player input on or off ("enable", absent: on). Switching it off also lets go
// of every held key, so nothing pressed before acts once input is back.
class TriggerEnableInput : public TriggerBasic {
public:
    explicit TriggerEnableInput(const JsonValue& json);
    void OnTrigger() override;

    bool enable = true;
};

// Turns the body of object "target" left ("left", absent: true) or right.
class TriggerRigidbodyDirection : public TriggerBasic {
public:
    explicit TriggerRigidbodyDirection(const JsonValue& json);
    void OnTrigger() override;

    Handle<Rigidbody> target;
    bool left = true;
};
