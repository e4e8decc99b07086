#include "ui/ToggleButton.h"

#include "graphics/SpriteRenderer.h"
#include "ui/ScreenPictures.h"

namespace UI {

void ToggleButton::OnSelect() {
    SpriteRenderer* own = OwnSprite(*this);
    if (own) {
        if (state) {
            Show(stateOneSelected.Get(), true);
            Show(stateOneNormal.Get(), false);
        } else {
            Show(stateZeroSelected.Get(), true);
            Show(own, false);
        }
    }
    if (onSelect) onSelect();
}

void ToggleButton::OnDeselect() {
    SpriteRenderer* own = OwnSprite(*this);
    if (own) {
        if (state) {
            Show(stateOneSelected.Get(), false);
            Show(stateOneNormal.Get(), true);
        } else {
            Show(stateZeroSelected.Get(), false);
            Show(own, true);
        }
    }
    if (onDeselect) onDeselect();
}

void ToggleButton::MoveLook(SpriteRenderer* from, SpriteRenderer* to) {
    if (!IsShown(from)) return;
    Show(from, false);
    Show(to, true);
}

void ToggleButton::OnClick() {
    if (onClick) onClick();
    SpriteRenderer* own = OwnSprite(*this);
    if (state) {
        MoveLook(stateOneNormal.Get(), own);
        MoveLook(stateOneSelected.Get(), stateZeroSelected.Get());
    } else {
        MoveLook(own, stateOneNormal.Get());
        MoveLook(stateZeroSelected.Get(), stateOneSelected.Get());
    }
    state = !state;
}

void ToggleButton::SetEnabled(bool on) {
    enabled = on;
    SpriteRenderer* own = OwnSprite(*this);
    if (on) {
        Show(state ? stateOneNormal.Get() : own, true);
        return;
    }
    Show(own, false);
    Show(stateZeroSelected.Get(), false);
    Show(stateOneNormal.Get(), false);
    Show(stateOneSelected.Get(), false);
}

void ToggleButton::ClearCallbacks() {
    onClick = nullptr;
    onSelect = nullptr;
    onDeselect = nullptr;
}

}  // namespace UI
