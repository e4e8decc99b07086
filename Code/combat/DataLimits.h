#pragma once
// How much one unit file may ask of a frame. Counts and intervals that decide how much
// happens at once are clamped to these when they are read, so that no file, however
// written, makes one frame do unbounded work (docs/units.md lists them). The game's own
// files stay well inside every limit.
#include <cstddef>
#include <cstdint>

namespace Combat::Limits {

// Weapons a unit keeps ("weapons"); the rest of the array is not read. Units use 6 at most.
constexpr std::size_t kMaxWeaponsPerUnit = 16;
// Effects a weapon applies ("effects"); each hit hands out every one of them.
constexpr std::size_t kMaxEffectsPerWeapon = 32;
// Projectiles of one volley ("numProjectiles").
constexpr int32_t kMaxProjectilesPerVolley = 64;
// Seconds between two projectiles of a volley ("launchInterval"): above 0, so each next
// shot waits for a later frame instead of running in the pass that queued it.
constexpr float kMinLaunchInterval = 0.02f;
// Seconds between two rounds of hits of a weapon area ("tickInterval") or a damage zone
// ("tickRate"): hits never come faster than the frame rate makes them.
constexpr float kMinHitInterval = 0.01f;

// The value, or `least` when it is smaller or not a number.
inline float AtLeast(float value, float least) { return value >= least ? value : least; }

}  // namespace Combat::Limits
