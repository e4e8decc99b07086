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

SpriteRenderer* AddScreenSprite(GameObject& object, const char* texture, int32_t layer, bool shown) {
    // Attached without start, so that waking it (which loads the texture) sees the settings.
    auto* sprite = object.AddComponent<SpriteRenderer>(true);
    if (!sprite) return nullptr;
    sprite->file = texture;
    sprite->layer = layer;
    sprite->relativePos = true;
    sprite->speed = 0.0f;
    sprite->enabled = shown;
    sprite->Awake();
    return sprite;
}

SpriteRenderer* MakeScreenPicture(const ScreenPicture& picture, bool shown) {
    GameObject* object = SceneManager::GetInstance().CreateGameObject(picture.name);
    if (!object) return nullptr;
    Transform* transform = object->AddComponent<Transform>();
    SpriteRenderer* sprite = transform ? AddScreenSprite(*object, picture.texture, picture.layer, shown) : nullptr;
    if (!sprite) {
        // A fresh object always has room; this only guards the contract.
        SceneManager::GetInstance().DestroyGameObjectNow(object->id);
        return nullptr;
    }
    transform->x = picture.x;
    transform->y = picture.y;
    transform->scaleX = picture.scaleX;
    transform->scaleY = picture.scaleY;
    return sprite;
}

}  // namespace UI
