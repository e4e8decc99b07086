#pragma once
// A deterministic replay: a level played headless for a number of frames with a fixed
// frame time, the game's seeded random generator and a recorded input script, reduced
// to one hash of the whole game state. Two runs, or two builds, that differ in any
// position, health, mana, state, animation cell or random draw give different hashes.
#include <cstdint>
#include <string>

namespace replay {

// The level the replay test and the cross-build check play.
inline constexpr const char* kLevel = "Assets/Scenes/1_Slums.scene";
inline constexpr int kFrames = 1200;

// Plays `frames` frames of `scenePath` and returns the state hash. Needs the component
// classes installed (the tests' main does it).
uint64_t Play(const std::string& scenePath, int frames);

// The hash of the scene as it stands: every active object's name and transform, every
// unit's health, mana and states, every animator's node and cell, and the random state.
uint64_t HashState();

}  // namespace replay
