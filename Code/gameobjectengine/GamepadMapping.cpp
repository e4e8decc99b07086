#include "gameobjectengine/GamepadMapping.h"

#include <cstring>

namespace {

constexpr float kAxisThreshold = 0.25f;

bool Button(const platform::GamepadState& pad, int index) {
    return index >= 0 && index < pad.buttonCount && index < platform::kMaxPadButtons && pad.buttons[index] != 0;
}

void AddIf(bool pressed, std::array<uint8_t, 14>& current, int action) {
    if (pressed) ++current[action];
}

// One direction per axis counts: the negative test is made first.
void AddAxis(float value, std::array<uint8_t, 14>& current, int negativeAction, int positiveAction) {
    if (value <= -kAxisThreshold) ++current[negativeAction];
    else if (value >= kAxisThreshold) ++current[positiveAction];
}

void AddWireless(const platform::GamepadState& pad, std::array<uint8_t, 14>& current) {
    if (pad.axisCount >= 2) {
        AddAxis(pad.axes[0], current, 1, 0);
        AddAxis(pad.axes[1], current, 2, 3);  // negative is up on this pad
    }
    AddIf(Button(pad, 15), current, 0);
    AddIf(Button(pad, 17), current, 1);
    AddIf(Button(pad, 14), current, 2);
    AddIf(Button(pad, 16), current, 3);
    AddIf(Button(pad, 1), current, 4);
    AddIf(Button(pad, 11), current, 5);
    AddIf(Button(pad, 2), current, 6);
    AddIf(Button(pad, 0), current, 7);
    AddIf(Button(pad, 3), current, 8);
    AddIf(Button(pad, 5), current, 9);
    AddIf(Button(pad, 4), current, 10);
    AddIf(Button(pad, 6) || Button(pad, 7), current, 11);
    AddIf(Button(pad, 9), current, 12);
}

void AddXbox(const platform::GamepadState& pad, std::array<uint8_t, 14>& current) {
    if (pad.axisCount >= 2) {
        AddAxis(pad.axes[0], current, 1, 0);
        AddAxis(pad.axes[1], current, 3, 2);  // positive is up on this pad
    }
    AddIf(Button(pad, 11), current, 0);
    AddIf(Button(pad, 13), current, 1);
    AddIf(Button(pad, 10), current, 2);
    AddIf(Button(pad, 12), current, 3);
    AddIf(Button(pad, 0), current, 4);
    AddIf(Button(pad, 9), current, 5);
    AddIf(Button(pad, 1), current, 6);
    AddIf(Button(pad, 2), current, 7);
    AddIf(Button(pad, 3), current, 8);
    AddIf(Button(pad, 5), current, 9);
    AddIf(Button(pad, 10), current, 10);  // the same button also raises action 2
    AddIf(Button(pad, 4), current, 11);
    AddIf(Button(pad, 7), current, 12);
}

// A pad with a standard mapping, laid onto the Xbox layout.
void AddMapped(const platform::GamepadState& pad, std::array<uint8_t, 14>& current) {
    const uint8_t* b = pad.mappedButtons;
    AddAxis(pad.mappedAxes[0], current, 1, 0);
    AddAxis(pad.mappedAxes[1], current, 2, 3);  // mapped y grows downward
    AddIf(b[12], current, 0);   // d-pad right
    AddIf(b[14], current, 1);   // d-pad left
    AddIf(b[11], current, 2);   // d-pad up
    AddIf(b[13], current, 3);   // d-pad down
    AddIf(b[0], current, 4);    // A
    AddIf(b[10], current, 5);   // right thumb
    AddIf(b[1], current, 6);    // B
    AddIf(b[2], current, 7);    // X
    AddIf(b[3], current, 8);    // Y
    AddIf(b[5], current, 9);    // right bumper
    AddIf(b[11], current, 10);  // d-pad up, as on the Xbox pad
    AddIf(b[4], current, 11);   // left bumper
    AddIf(b[7], current, 12);   // start
}

}  // namespace

PadKind ClassifyPad(const platform::GamepadState& pad) {
    if (std::strcmp(pad.name, "Wireless Controller") == 0 && pad.buttonCount == 18) return PadKind::Wireless;
    if (std::strcmp(pad.name, "Xbox 360 Controller") == 0 && pad.buttonCount == 14) return PadKind::Xbox;
    if (pad.hasMapping) return PadKind::Mapped;
    return PadKind::Unknown;
}

void AddPadInputs(PadKind kind, const platform::GamepadState& pad, std::array<uint8_t, 14>& current) {
    switch (kind) {
        case PadKind::Wireless: AddWireless(pad, current); break;
        case PadKind::Xbox: AddXbox(pad, current); break;
        case PadKind::Mapped: AddMapped(pad, current); break;
        case PadKind::Unknown: break;
    }
}
