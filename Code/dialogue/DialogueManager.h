#pragma once
// The scene's conversation: the lines read from the scene file, the speech bubble that
// shows them one at a time over their speakers, the overlay of modal lines, and what
// happens when a conversation ends (music, a skill-unlock picture, a scene exit).
//
// Lines advance by Space on modal lines (the scene manager's dialogue keys), by the
// bubble's own timer on the others, or by a trigger; the level's GameManager shows the
// first line one second into the level.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "dialogue/DialogueData.h"
#include "gameobjectengine/Handle.h"
#include "gameobjectengine/JsonRead.h"

class DialogueBox;
class Follow;
class SpriteRenderer;

namespace Dialogue {

class DialogueManager {
public:
    // What NextDialogue returns.
    enum class NextResult : int {
        Shown = 0,
        EndedAtBreak = 1,  // the line on show ended the conversation
        NoLineLeft = 2,
        NoBubble = 3,
    };

    // The one global, built before main with the other two globals.
    static DialogueManager& GetInstance();

    // Takes the scene's "Dialogue" array (copied; anything else counts as empty). Lines
    // that are not well-formed are left out. Forgets the last scene's bubble and state.
    void LoadDialogue(const JsonValue& dialogue);
    // Creates the hidden bubble ("Dialogue") and overlay ("DialogueOverlay") objects and
    // rewinds to the first line.
    void SetupScene();
    // The pictures SetupScene loads now (a scene load decodes them ahead).
    static void Pictures(std::vector<std::string>& out);

    // A conversation is active, with its box and follow component, and its line is modal.
    bool ModalLineActive() const;
    // Shows the rest of the current line at once; false when it was already whole.
    bool RevealRestOfLine();
    // Shows the next line (Shown) or ends the conversation; NoBubble without a bubble.
    // The overlay is shown exactly while the line on show is modal.
    NextResult NextDialogue(bool playSound);
    // Hides the bubble and runs the end of the conversation. Nothing without a bubble.
    void EndDialogue();
    // Everything back to the start-up state (tests).
    void Reset();

    std::vector<DialogueData> lines;
    std::size_t currentLine = 0;  // the next line to show
    Handle<DialogueBox> box;
    Handle<Follow> follow;
    Handle<SpriteRenderer> overlay;
    int32_t currentFlags = 0;
    bool active = false;
    bool skipToggle = false;
    bool transitionPlayed = false;  // the level's transitional music has been started

private:
    void ShowLine(const DialogueData& line, DialogueBox& bubble, Follow& follower);
    // Starts the fade out through "LoadingOutScreen"; false when the level has none.
    bool LeaveScene();
    void EndMusic();
};

}  // namespace Dialogue
