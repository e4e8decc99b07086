#pragma once
// One line of a scene's conversation, as the scene file's "Dialogue" array lists it:
// [speaker, offsetX, offsetY, text, flags, sound?].
#include <cstddef>
#include <cstdint>
#include <string>

#include "gameobjectengine/JsonRead.h"
#include "gameobjectengine/Vector.h"

namespace Dialogue {

struct DialogueData {
    // Bits of flags.
    static constexpr int32_t kEndsConversation = 1;  // the next advance ends the conversation
    static constexpr int32_t kModal = 2;             // play freezes; the player advances with Space
    static constexpr int32_t kSceneExit = 4;         // the end of the conversation leaves the level
    // A line's text is cut to this many characters when read: the bubble types, lays out
    // and draws its whole text every frame (the game's longest line has under 100).
    static constexpr std::size_t kMaxTextCharacters = 1000;

    std::string speaker;  // name of the object the bubble follows
    TVector2<float> offset{0.0f, 0.0f};
    std::string text;
    int32_t flags = 0;
    std::string sound;  // empty: the line plays no sound of its own
};

// Reads one line. False for a line that is not an array, has fewer than five members,
// or whose first five members have the wrong types; a sixth member that is not a string
// counts as no sound. A longer text is cut to kMaxTextCharacters.
bool ReadDialogueLine(const JsonValue& line, DialogueData& out);

}  // namespace Dialogue
