#pragma once
// Holds a menu's current selection: arrows move it along the selected element's
// links, Space or Enter activates it. A cursor picture, when given, follows the
// selection. Several menus (options, pause) share the scene's first canvas.
#include "gameobjectengine/Component.h"
#include "gameobjectengine/Handle.h"
#include "gameobjectengine/Vector.h"

class SpriteRenderer;

namespace UI {

class Base;

class Canvas : public Component {
public:
    explicit Canvas(int32_t gameObjectID) : Component(gameObjectID) {}
    // "selectMode", "cursorOffset" {x, y, z}, "initialUI" and "cursor" (object ids).
    explicit Canvas(const JsonValue& json);

    // While enabled: selects initialUI (when there is one).
    void Start() override;
    // Arrows move, Space/Enter clicks; it ignores the game-state word.
    void Update() override;
    Component* Clone() const override { return new Canvas(*this); }

    // Moves the selection to target: nothing unless selectMode is 0, the target exists
    // and its object has a Transform. Deselects the old one, selects the new one, plays
    // the move sound and places the cursor at the target plus cursorOffset.
    void Select(Base* target);
    // Shows or hides the cursor picture (when there is one).
    void ShowCursor(bool shown);

    Handle<Base> initialUI;
    int32_t selectMode = 0;  // selection only happens while 0
    TVector3<float> cursorOffset;
    Handle<Base> selected;
    Handle<SpriteRenderer> cursor;

private:
    void Move(Handle<Base> Base::*link);
};

}  // namespace UI
