#pragma once
// A selectable element of a menu: links to its neighbours in four directions and the
// picture shown while it is selected. Its own look is the SpriteRenderer of its own
// object. What it does is decided by the subclasses and the callbacks menus bind.
#include "gameobjectengine/Component.h"
#include "gameobjectengine/Handle.h"

class SpriteRenderer;

namespace UI {

class Base : public Component {
public:
    explicit Base(int32_t gameObjectID) : Component(gameObjectID) {}
    // "up", "down", "left", "right" (elements) and "selectedSprite" (a sprite), each an
    // object id fetched once after the scene is built.
    explicit Base(const JsonValue& json);

    virtual void OnSelect() {}
    virtual void OnClick() {}
    virtual void OnDeselect() {}
    // The element's enabled flag and its own sprite.
    virtual void SetEnabled(bool on);

    // A null link means no move in that direction.
    Handle<Base> up;
    Handle<Base> down;
    Handle<Base> left;
    Handle<Base> right;
    Handle<SpriteRenderer> selectedSprite;
};

}  // namespace UI
