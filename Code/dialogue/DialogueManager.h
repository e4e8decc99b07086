#pragma once
// The scene's conversation. (Filled in by the dialogue work; the scene load and the
// scene update need these calls.)
#include "gameobjectengine/JsonRead.h"

namespace Dialogue {

class DialogueManager {
public:
    // The one global, built before main with the other two globals.
    static DialogueManager& GetInstance();

    // Takes the scene's "Dialogue" array (anything else counts as empty).
    void LoadDialogue(const JsonValue& dialogue);
    void SetupScene();

    // A conversation is active, with its box and follow component, and its line is modal.
    bool ModalLineActive() const { return false; }
    // Shows the rest of the current line at once; false when it was already whole.
    bool RevealRestOfLine() { return false; }
    // Moves to the next line; non-zero once the conversation has ended.
    int NextDialogue(bool playSound);

    bool skipToggle = false;
};

}  // namespace Dialogue
