#include "scenemanager/DontDestroyOnLoad.h"

#include "gameobjectengine/GameObject.h"
#include "graphics/GraphicsEngine.h"
#include "graphics/SpriteRenderer.h"
#include "scenemanager/SceneManager.h"

DontDestroyOnLoad::DontDestroyOnLoad(int32_t gameObjectID) : Component(gameObjectID) {}

DontDestroyOnLoad::DontDestroyOnLoad(const JsonValue& json) : Component(json) {}

void DontDestroyOnLoad::Awake() { SceneManager::GetInstance().AddPersistent(owner); }

void DontDestroyOnLoad::Start() {
    // In Start, not Awake: a sprite listed after us in the file exists only now. Every
    // picture the sprite may switch to (by gamepad kind) must survive the release that
    // follows each scene load.
    if (!owner) return;
    SpriteRenderer* sprite = owner->GetComponent<SpriteRenderer>();
    if (!sprite) return;
    GraphicsEngine& graphics = GraphicsEngine::GetInstance();
    for (uint32_t name : {sprite->texture, sprite->pcTexture, sprite->ps4Texture, sprite->x360Texture})
        if (name != 0) graphics.PinTextureForever(name);
}
