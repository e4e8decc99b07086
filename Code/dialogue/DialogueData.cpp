#include "dialogue/DialogueData.h"

namespace Dialogue {

bool ReadDialogueLine(const JsonValue& line, DialogueData& out) {
    if (!line.IsArray() || line.Size() < 5) return false;
    DialogueData read;
    const bool typed = json::AsString(line[0], read.speaker) && json::AsFloat(line[1], read.offset.x) &&
                       json::AsFloat(line[2], read.offset.y) && json::AsString(line[3], read.text) &&
                       json::AsInt(line[4], read.flags);
    if (!typed) return false;
    if (read.text.size() > DialogueData::kMaxTextCharacters) read.text.resize(DialogueData::kMaxTextCharacters);
    if (line.Size() >= 6) json::AsString(line[5], read.sound);  // anything else: no sound
    out = std::move(read);
    return true;
}

}  // namespace Dialogue
