#pragma once
// What several menus' buttons do alike: finding a named object of the scene, the loading
// animation's fade, the yes/no confirmations and opening the options screen over a menu.
#include "gameobjectengine/GameObject.h"

class SpriteRenderer;

namespace UI {

class Button;
class Canvas;

// The scene's object named `name`, or null.
GameObject* SceneObjectNamed(const char* name);

// The component T of the scene's object named `name`, or null.
template <typename T>
T* ComponentOfObject(const char* name) {
    GameObject* object = SceneObjectNamed(name);
    return object ? object->GetComponent<T>() : nullptr;
}

// Starts the fade of the loading animation named `name` (when there is one), a little
// quicker than the loading screen behind it.
void StartLoadingAnimation(const char* name);

// Shown: enables yes and no, shows the background and selects no on the canvas.
// Hidden: selects back on the canvas, then disables yes and no and hides the background.
// Any of them may be null.
void SetConfirmation(Canvas* canvas, bool shown, Button* yes, Button* no, SpriteRenderer* background,
                     Button* back);

// Opens the scene's options menu (nothing when it has none or it could not be built),
// hiding the cursor of the scene's first canvas; closing it selects returnTo again.
void OpenOptionsOver(Button* returnTo);

}  // namespace UI
