#pragma once
// A two-state menu element (on/off) with four looks: state 0 normal is the element's
// own sprite; state 0 selected, state 1 normal and state 1 selected are sprites of
// other objects. Built by code only.
#include <functional>

#include "ui/Base.h"

namespace UI {

class ToggleButton : public Base {
public:
    using Callback = std::function<void()>;

    explicit ToggleButton(int32_t gameObjectID) : Base(gameObjectID) {}

    // Shows the selected look of the current state (only with an own sprite), then onSelect.
    void OnSelect() override;
    // onClick first (it sees the old state), then the showing look moves to the other
    // state's look of the same kind, then the state flips.
    void OnClick() override;
    // Shows the normal look of the current state (only with an own sprite), then onDeselect.
    void OnDeselect() override;
    // On: the normal look of the state. Off: all four looks hidden.
    void SetEnabled(bool on) override;
    Component* Clone() const override { return new ToggleButton(*this); }

    void ClearCallbacks();

    Callback onClick;
    Callback onSelect;
    Callback onDeselect;
    Handle<SpriteRenderer> stateZeroSelected;
    Handle<SpriteRenderer> stateOneNormal;
    Handle<SpriteRenderer> stateOneSelected;
    bool state = false;  // false: state 0

private:
    // Hides `from` and shows `to` when `from` is the look showing.
    static void MoveLook(SpriteRenderer* from, SpriteRenderer* to);
};

}  // namespace UI
