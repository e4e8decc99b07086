#include "platform/Gamepads.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <cstring>

#include "platform/Window.h"

namespace platform {
namespace {

GamepadReader gReader = nullptr;

bool ReadGlfwGamepad(int slot, GamepadState& state) {
    // Without an initialised window system GLFW must not be asked.
    if (!WindowSystemReady() || !glfwJoystickPresent(GLFW_JOYSTICK_1 + slot)) return false;
    state = GamepadState{};
    const char* name = glfwGetJoystickName(GLFW_JOYSTICK_1 + slot);
    if (name) std::strncpy(state.name, name, sizeof(state.name) - 1);
    int count = 0;
    const float* axes = glfwGetJoystickAxes(GLFW_JOYSTICK_1 + slot, &count);
    state.axisCount = axes ? std::min(count, kMaxPadAxes) : 0;
    if (axes) std::copy(axes, axes + state.axisCount, state.axes);
    const unsigned char* buttons = glfwGetJoystickButtons(GLFW_JOYSTICK_1 + slot, &count);
    // The reported count is kept even beyond our buffer: pads are recognised by it.
    state.buttonCount = buttons ? count : 0;
    if (buttons) std::copy(buttons, buttons + std::min(count, kMaxPadButtons), state.buttons);
    GLFWgamepadstate mapped;
    if (glfwJoystickIsGamepad(GLFW_JOYSTICK_1 + slot) && glfwGetGamepadState(GLFW_JOYSTICK_1 + slot, &mapped)) {
        state.hasMapping = true;
        std::copy(mapped.axes, mapped.axes + 6, state.mappedAxes);
        std::copy(mapped.buttons, mapped.buttons + 15, state.mappedButtons);
    }
    return true;
}

}  // namespace

bool ReadGamepad(int slot, GamepadState& state) {
    if (slot < 0 || slot >= kMaxGamepads) return false;
    return gReader ? gReader(slot, state) : ReadGlfwGamepad(slot, state);
}

void SetGamepadReader(GamepadReader reader) { gReader = reader; }

}  // namespace platform
