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

// Where a pad kind puts things: the actions of its vertical stick axis and, for each
// action 0-12, the button or two (-1: none) that raise it. The horizontal axis is always
// left (negative) and right.
struct PadLayout {
    int stickNegative;
    int stickPositive;
    std::array<std::array<int, 2>, 13> buttons;
};

// Right, left, up, down, jump, G, the five weapons, swap, back.
constexpr PadLayout kWireless{2, 3,  // negative is up on this pad
                              {{{15, -1}, {17, -1}, {14, -1}, {16, -1}, {1, -1}, {11, -1}, {2, -1}, {0, -1},
                                {3, -1}, {5, -1}, {4, -1}, {6, 7}, {9, -1}}}};
constexpr PadLayout kXbox{3, 2,  // positive is up on this pad; button 10 also raises action 2 (up)
                          {{{11, -1}, {13, -1}, {10, -1}, {12, -1}, {0, -1}, {9, -1}, {1, -1}, {2, -1},
                            {3, -1}, {5, -1}, {10, -1}, {4, -1}, {7, -1}}}};
// A pad with a standard mapping, laid onto the Xbox layout (mapped y grows downward):
// d-pad right, left, up, down, A, right thumb, B, X, Y, right bumper, d-pad up as on the
// Xbox pad, left bumper, start.
constexpr PadLayout kMapped{2, 3,
                            {{{12, -1}, {14, -1}, {11, -1}, {13, -1}, {0, -1}, {10, -1}, {1, -1}, {2, -1},
                              {3, -1}, {5, -1}, {11, -1}, {4, -1}, {7, -1}}}};

// stick: the horizontal and vertical axis values, or null for a pad without them;
// pressed(index) reads a button, false for -1.
template <typename Pressed>
void AddLayout(const PadLayout& layout, const float* stick, Pressed pressed, std::array<uint8_t, 14>& current) {
    if (stick) {
        AddAxis(stick[0], current, 1, 0);
        AddAxis(stick[1], current, layout.stickNegative, layout.stickPositive);
    }
    for (int action = 0; action < static_cast<int>(layout.buttons.size()); ++action)
        AddIf(pressed(layout.buttons[action][0]) || pressed(layout.buttons[action][1]), current, action);
}

void AddRaw(const PadLayout& layout, const platform::GamepadState& pad, std::array<uint8_t, 14>& current) {
    AddLayout(layout, pad.axisCount >= 2 ? pad.axes : nullptr, [&pad](int index) { return Button(pad, index); },
              current);
}

void AddMapped(const platform::GamepadState& pad, std::array<uint8_t, 14>& current) {
    AddLayout(kMapped, pad.mappedAxes, [&pad](int index) { return index >= 0 && pad.mappedButtons[index] != 0; },
              current);
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
        case PadKind::Wireless: AddRaw(kWireless, pad, current); break;
        case PadKind::Xbox: AddRaw(kXbox, pad, current); break;
        case PadKind::Mapped: AddMapped(pad, current); break;
        case PadKind::Unknown: break;
    }
}
