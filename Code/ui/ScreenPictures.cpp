#include "ui/ScreenPictures.h"

#include "gameobjectengine/Transform.h"
#include "graphics/SpriteRenderer.h"
#include "scenemanager/SceneManager.h"

namespace UI {

SpriteRenderer* OwnSprite(const Component& component) {
    return component.owner ? component.owner->GetComponent<SpriteRenderer>() : nullptr;
}

Transform* OwnTransform(const Component& component) {
    return component.owner ? component.owner->GetComponent<Transform>() : nullptr;
}

void Show(SpriteRenderer* sprite, bool shown) {
    if (sprite) sprite->enabled = shown;
}

bool IsShown(const SpriteRenderer* sprite) { return sprite && sprite->enabled; }

SpriteRenderer* MakeScreenPicture(const ScreenPicture& picture, bool shown) {
    GameObject* object = SceneManager::GetInstance().CreateGameObject(picture.name);
    if (!object) return nullptr;
    Transform* transform = object->AddComponent<Transform>();
    auto* sprite = object->AddComponent<SpriteRenderer>(true);
    if (!transform || !sprite) {
        // A fresh object always has room; this only guards the contract.
        SceneManager::GetInstance().DestroyGameObjectNow(object->id);
        return nullptr;
    }
    transform->x = picture.x;
    transform->y = picture.y;
    transform->scaleX = picture.scaleX;
    transform->scaleY = picture.scaleY;
    sprite->LoadTexture(picture.texture);
    sprite->layer = picture.layer;
    sprite->relativePos = true;
    sprite->speed = 0.0f;
    sprite->Awake();
    sprite->enabled = shown;
    return sprite;
}

}  // namespace UI
