#include "gameobjectengine/InputManager.h"

#include "gameobjectengine/GamepadMapping.h"
#include "platform/Gamepads.h"
#include "platform/VirtualKeys.h"
#include "platform/Window.h"

InputManager& InputManager::GetInstance() {
    static InputManager instance;
    return instance;
}

int InputManager::ActionOfKey(int vk) {
    switch (vk) {
        case vk::Right: return 0;
        case vk::Left: return 1;
        case vk::Up: return 2;
        case vk::Down: return 3;
        case vk::Space: return 4;
        case vk::G: return 5;
        case vk::F: return 6;
        case vk::Q: return 7;
        case vk::W: return 8;
        case vk::E: return 9;
        case vk::R: return 10;
        case vk::Tab: return 11;
        case vk::Escape: return 12;
        case vk::Return: return 13;
        default: return -1;
    }
}

void InputManager::Update() {
    previous = current;
    current.fill(0);
    wirelessPadPresent = 0;
    xboxPadPresent = 0;
    Poll();
}

void InputManager::Poll() {
    platform::PumpEvents();
    const std::array<uint8_t, kActions> pressed = tapped;
    tapped.fill(0);
    // Disabled input adds nothing: held keys and pads are ignored until it is enabled again.
    if (!enabled) return;
    for (int a = 0; a < kActions; ++a)
        if (held[a] || pressed[a]) ++current[a];
    PollGamepads();
}

void InputManager::PollGamepads() {
    platform::GamepadState pad;
    for (int slot = 0; slot < platform::kMaxGamepads; ++slot) {
        if (!platform::ReadGamepad(slot, pad)) continue;
        const PadKind kind = ClassifyPad(pad);
        if (kind == PadKind::Unknown) {
            // A pad we do not know still overwrites both flags, as the known ones do.
            wirelessPadPresent = 0;
            xboxPadPresent = 0;
            continue;
        }
        wirelessPadPresent = kind == PadKind::Wireless ? 1 : 0;
        xboxPadPresent = kind == PadKind::Wireless ? 0 : 1;
        AddPadInputs(kind, pad, current);
    }
}

void InputManager::OnKey(int virtualKey, bool down) {
    const int action = ActionOfKey(virtualKey);
    if (action < 0) return;
    if (!down) {
        held[action] = 0;
        return;
    }
    if (!enabled) return;
    held[action] = 1;
    tapped[action] = 1;
}

bool InputManager::GetKeyDown(InputAction action) const {
    const int index = static_cast<int>(action);
    if (index < 0 || index >= kActions) return false;
    return previous[index] == 0 && current[index] != 0;
}

uint8_t InputManager::Current(InputAction action) const {
    const int index = static_cast<int>(action);
    if (index < 0 || index >= kActions) return 0;
    return current[index];
}

void InputManager::ResetAll() {
    enabled = false;
    current.fill(0);
    previous.fill(0);
    held.fill(0);
    tapped.fill(0);
    wirelessPadPresent = 0;
    xboxPadPresent = 0;
}
