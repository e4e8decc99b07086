#pragma once
// The game-state word shared by every subsystem; cleared on every scene change.
#include <cstdint>

struct GameFlags {
    static constexpr uint32_t Paused = 1;     // bit 0: the pause menu is open
    static constexpr uint32_t Cutscene = 2;   // bit 1: modal dialogue, level intro, scripted exits
    static constexpr uint32_t GameOver = 4;   // bit 2: a hero died

    static uint32_t word;

    // True when any bit of mask is set.
    static bool Any(uint32_t mask) { return (word & mask) != 0; }
};
