#include "ui/Base.h"

#include "graphics/SpriteRenderer.h"
#include "ui/ScreenPictures.h"

namespace UI {

Base::Base(const JsonValue& json) : Component(json) {
    FetchLink(this, json, "up", up);
    FetchLink(this, json, "down", down);
    FetchLink(this, json, "left", left);
    FetchLink(this, json, "right", right);
    FetchLink(this, json, "selectedSprite", selectedSprite);
}

void Base::SetEnabled(bool on) {
    enabled = on;
    Show(OwnSprite(*this), on);
}

}  // namespace UI
