#pragma once
// The two heroes as the levels name them: the objects "Thief" and "Mage", both tagged
// "Player". Party set-up, control, the camera's swap, voices, emitters, triggers and the
// HUD tell a hero from every other object by these words.

namespace Heroes {

inline constexpr char kThief[] = "Thief";
inline constexpr char kMage[] = "Mage";
inline constexpr char kTag[] = "Player";  // both heroes; also the AI role of the following hero

}  // namespace Heroes
