#include "Replay.h"

#include <cstring>

#include "EngineHarness.h"
#include "animationmanager/Animator.h"
#include "animationmanager/AnimationNode.h"
#include "combat/CombatUnit.h"
#include "gameobjectengine/GameRandom.h"
#include "gameobjectengine/InputManager.h"
#include "gameobjectengine/Transform.h"
#include "graphics/SpriteRenderer.h"

namespace replay {
namespace {

class Fnv1a {
public:
    void Bytes(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) hash_ = (hash_ ^ bytes[i]) * 0x100000001b3ull;
    }
    template <typename T>
    void Value(const T& value) { Bytes(&value, sizeof value); }
    void Text(const std::string& text) { Bytes(text.data(), text.size() + 1); }
    uint64_t Result() const { return hash_; }

private:
    uint64_t hash_ = 0xcbf29ce484222325ull;
};

void HashObject(Fnv1a& hash, GameObject& object) {
    hash.Text(object.name);
    if (Transform* t = object.GetComponent<Transform>()) {
        for (float v : {t->x, t->y, t->z, t->rotation, t->scaleX, t->scaleY}) hash.Value(v);
    }
    if (auto* unit = object.GetComponent<Combat::CombatUnit>()) {
        hash.Value(unit->currentHealth);
        hash.Value(unit->currentMana);
        hash.Bytes(unit->states, sizeof unit->states);
    }
    if (Animator* animator = object.GetComponent<Animator>()) {
        hash.Text(animator->currentNode ? animator->currentNode->name : std::string());
        hash.Value(animator->animationState);
    }
    if (SpriteRenderer* sprite = object.GetComponent<SpriteRenderer>()) {
        hash.Value(sprite->currX);
        hash.Value(sprite->currY);
    }
}

// Frame -> what the player does: runs right with jumps and attacks, tries every skill,
// swaps the heroes twice, turns back left for a while. A tap is a press on one frame
// and a release on the next.
void ScriptedInput(EngineHarness& engine, int frame) {
    const auto key = [&](InputAction action, bool down) {
        if (down) engine.Press(action);
        else engine.Release(action);
    };
    const auto tapEvery = [&](InputAction action, int period, int phase) {
        if (frame % period == phase) key(action, true);
        if (frame % period == phase + 1) key(action, false);
    };
    if (frame == 0 || frame == 900) key(InputAction::Right, true);
    if (frame == 700) key(InputAction::Right, false), key(InputAction::Left, true);
    if (frame == 900) key(InputAction::Left, false);
    tapEvery(InputAction::Jump, 50, 10);
    tapEvery(InputAction::Weapon0, 30, 5);
    tapEvery(static_cast<InputAction>(static_cast<int>(InputAction::Weapon1) + (frame / 100) % 4), 100, 60);
    tapEvery(InputAction::Swap, 400, 399);
}

}  // namespace

uint64_t HashState() {
    Fnv1a hash;
    SceneManager::GetInstance().Objects().ForEach([&](GameObject* object) {
        if (object->active) HashObject(hash, *object);
    });
    hash.Value(GameRandom::Next());
    return hash.Result();
}

uint64_t Play(const std::string& scenePath, int frames) {
    EngineHarness engine;
    engine.LoadSceneFile(scenePath);
    for (int frame = 0; frame < frames; ++frame) {
        ScriptedInput(engine, frame);
        engine.Step();
    }
    return HashState();
}

}  // namespace replay
