#include "combat/CombatObjects.h"

#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/JobManager.h"
#include "gameobjectengine/TimeToLive.h"
#include "gameobjectengine/Transform.h"
#include "graphics/DamageText.h"
#include "graphics/SpriteRenderer.h"
#include "scenemanager/SceneManager.h"

namespace Combat {

GameObject* SpawnNumber(const char* objectName, Transform* source, uint32_t value, int32_t style) {
    GameObject* object = SceneManager::GetInstance().CreateGameObject(objectName);
    if (!object) return nullptr;
    object->AddComponent<Transform>();
    if (auto* text = object->AddComponent<DamageText>()) {
        text->source = source;
        if (source) text->baseX = source->x;
        text->textKind = 1;
        text->SetValue(value, style);
    }
    if (auto* ttl = object->AddComponent<TimeToLive>()) ttl->SetSeconds(1.5f);
    return object;
}

SpriteRenderer* AddUnitSprite(GameObject& object, const std::string& path) {
    // Attached without waking: the render list fixes a drawable's layer when it wakes.
    auto* sprite = object.AddComponent<SpriteRenderer>(true);
    if (!sprite) return nullptr;
    sprite->layer = kUnitLayer;
    if (!path.empty()) sprite->LoadTexture(path);
    sprite->Awake();
    JobManager::GetInstance().AddJobFor(sprite, [sprite]() { sprite->Start(); }, JobKind::Frame, 0.0f);
    return sprite;
}

}  // namespace Combat
