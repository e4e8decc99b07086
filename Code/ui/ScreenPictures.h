#pragma once
// The screen-space pictures that menus and the HUD build in code, showing and hiding
// sprites, and the id-valued links that menu elements fetch once into handles.
#include <cstdint>

#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/Handle.h"
#include "gameobjectengine/JobManager.h"
#include "gameobjectengine/JsonRead.h"

class SpriteRenderer;
class Transform;

namespace UI {

// Queues a kind-1 look-up of the component T of the object whose id is json[key] into
// `link` (a member of asker). An id that names no object now queues nothing.
template <typename T>
void FetchLink(Component* asker, const JsonValue& json, const char* key, Handle<T>& link) {
    if (!json::Has(json, key)) return;
    GameObject* target = ResolveGameObject(json::ReadInt(json, key, -1));
    if (!target) return;
    Handle<GameObject> object(target);
    Handle<T>* destination = &link;
    JobManager::GetInstance().AddJobFor(
        asker,
        [object, destination]() {
            if (GameObject* found = object.Get()) *destination = found->GetComponent<T>();
        },
        JobKind::Lookup, 0.0f);
}

// The first SpriteRenderer of the component's own object, or null.
SpriteRenderer* OwnSprite(const Component& component);
// The component's own Transform, or null.
Transform* OwnTransform(const Component& component);
// Switches a sprite on or off; nothing for null.
void Show(SpriteRenderer* sprite, bool shown);
bool IsShown(const SpriteRenderer* sprite);

// One picture of a menu screen: position in percent of the screen, scale in pixels
// (half the drawn size), its layer.
struct ScreenPicture {
    const char* name;
    const char* texture;
    float x;
    float y;
    float scaleX;
    float scaleY;
    int32_t layer;
};

// Attaches a sprite of the texture to the object, placed in percent of the screen and
// not carried by the camera (parallax 0), on the layer, shown or hidden, then woken.
// Null when the object has no room for it.
SpriteRenderer* AddScreenSprite(GameObject& object, const char* texture, int32_t layer, bool shown);

// Creates an active object with a Transform and a screen-space sprite of the picture
// (AddScreenSprite). Null when the scene's object table is full: then nothing is created
// at all.
SpriteRenderer* MakeScreenPicture(const ScreenPicture& picture, bool shown);

}  // namespace UI
