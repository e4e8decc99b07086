#include "ui/Button.h"

#include "graphics/SpriteRenderer.h"
#include "ui/ScreenPictures.h"

namespace UI {

void Button::OnSelect() {
    Show(selectedSprite.Get(), true);
    Show(OwnSprite(*this), false);
    if (onSelect) onSelect();
}

void Button::OnClick() {
    if (onClick) onClick();
}

void Button::OnDeselect() {
    Show(selectedSprite.Get(), false);
    Show(OwnSprite(*this), true);
    if (onDeselect) onDeselect();
}

void Button::SetEnabled(bool on) {
    Base::SetEnabled(on);
    if (!on) Show(selectedSprite.Get(), false);
}

void Button::ClearCallbacks() {
    onClick = nullptr;
    onSelect = nullptr;
    onDeselect = nullptr;
}

}  // namespace UI
