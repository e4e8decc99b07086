#pragma once
// Turns key messages and gamepads into fourteen actions with per-frame counters.
//
// Actions: 0 right, 1 left, 2 up, 3 down, 4 jump/confirm (Space), 5 G, 6 weapon 0 (F),
// 7-10 weapons 1-4 (Q W E R), 11 swap (Tab), 12 back/pause (Escape), 13 Enter.
// current counts 1 for a held key plus 1 per matching pad input; a fresh press is
// previous 0 with current non-zero. A key pressed and released between two polls counts
// as held for exactly the next frame, so a tap shorter than a slow frame is never lost.
#include <array>
#include <cstdint>

// The fourteen actions, numbered as the gamepad tables and the counters index them.
enum class InputAction : int {
    Right = 0,
    Left = 1,
    Up = 2,
    Down = 3,
    Jump = 4,  // Space: jump, confirm, next dialogue line
    G = 5,
    Weapon0 = 6,  // F
    Weapon1 = 7,  // Q
    Weapon2 = 8,  // W
    Weapon3 = 9,  // E
    Weapon4 = 10,  // R
    Swap = 11,  // Tab
    Back = 12,  // Escape: back, pause, skip dialogue
    Enter = 13,
};

class InputManager {
public:
    static constexpr int kActions = 14;

    static InputManager& GetInstance();

    // Once per running frame: previous = current, current = 0, pad flags 0, then Poll.
    void Update();
    // Pumps the window events (keys arrive through OnKey), counts held and tapped keys
    // and pads; the taps are used up.
    void Poll();
    // A key message. A key-up always clears the key's held flag; a key-down counts only
    // while enabled, and marks a tap that the next poll counts even if the key is up again.
    void OnKey(int virtualKey, bool down);
    // A fresh press of the action this frame; false for a value outside the fourteen.
    bool GetKeyDown(InputAction action) const;
    // This frame's counter of the action (0 for a value outside the fourteen).
    uint8_t Current(InputAction action) const;
    void ResetCurrent() { current.fill(0); }
    // The end of a scene change: keys still held from the last scene count as already
    // pressed, so one press never acts in two scenes; after a release they are fresh again.
    void CarryHeldKeys() { current = held; }
    // Everything back to the start-up state (counters, held keys, pads, disabled).
    void ResetAll();

    // The action of a virtual-key code, or -1.
    static int ActionOfKey(int virtualKey);

    bool enabled = false;
    std::array<uint8_t, kActions> current{};
    std::array<uint8_t, kActions> previous{};
    std::array<uint8_t, kActions> held{};
    std::array<uint8_t, kActions> tapped{};  // pressed since the last poll
    uint8_t wirelessPadPresent = 0;
    uint8_t xboxPadPresent = 0;

private:
    InputManager() = default;
    void PollGamepads();
};
