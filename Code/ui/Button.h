#pragma once
// A plain menu button: its own sprite while not selected, its selected sprite while
// selected, and three callbacks that the owning menu binds.
#include <functional>

#include "ui/Base.h"

namespace UI {

class Button : public Base {
public:
    using Callback = std::function<void()>;

    explicit Button(int32_t gameObjectID) : Base(gameObjectID) {}
    explicit Button(const JsonValue& json) : Base(json) {}

    // Selected sprite on, own sprite off, then onSelect.
    void OnSelect() override;
    // onClick only.
    void OnClick() override;
    // Selected sprite off, own sprite on, then onDeselect.
    void OnDeselect() override;
    // As the base; switching off also hides the selected sprite.
    void SetEnabled(bool on) override;
    Component* Clone() const override { return new Button(*this); }

    // A menu that goes away takes its bindings with it.
    void ClearCallbacks();

    Callback onClick;
    Callback onSelect;
    Callback onDeselect;
};

}  // namespace UI
