#pragma once
// Gamepad snapshot read through GLFW's joystick API, with a seam for tests.
#include <cstdint>

namespace platform {

constexpr int kMaxGamepads = 16;
constexpr int kMaxPadAxes = 16;
constexpr int kMaxPadButtons = 64;

struct GamepadState {
    char name[128] = {};
    int axisCount = 0;
    float axes[kMaxPadAxes] = {};
    int buttonCount = 0;
    uint8_t buttons[kMaxPadButtons] = {};
    // GLFW knows a standard mapping for this pad: the mapped fields below are filled.
    bool hasMapping = false;
    float mappedAxes[6] = {};      // left x, left y (down positive), right x, right y, triggers
    uint8_t mappedButtons[15] = {};  // A B X Y LB RB Back Start Guide LThumb RThumb Up Right Down Left
};

// Fills state for a present pad; false when the slot holds none.
bool ReadGamepad(int slot, GamepadState& state);

// Tests replace the reader (null restores GLFW).
using GamepadReader = bool (*)(int slot, GamepadState& state);
void SetGamepadReader(GamepadReader reader);

}  // namespace platform
