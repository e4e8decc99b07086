#pragma once
// Which pad kinds the game knows and how their inputs add to the actions.
#include <array>
#include <cstdint>

#include "platform/Gamepads.h"

enum class PadKind {
    Unknown,
    Wireless,  // "Wireless Controller" with 18 buttons
    Xbox,      // "Xbox 360 Controller" with 14 buttons
    Mapped,    // any other pad with a standard mapping: Xbox-style prompts
};

PadKind ClassifyPad(const platform::GamepadState& pad);

// Adds 1 to an action's counter for each of the pad's inputs that map to it.
void AddPadInputs(PadKind kind, const platform::GamepadState& pad, std::array<uint8_t, 14>& current);
