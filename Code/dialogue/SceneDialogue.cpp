#include "dialogue/SceneDialogue.h"

#include "dialogue/DialogueManager.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/InputManager.h"

namespace Dialogue {

void HandOverSceneDialogue(const JsonValue& document) {
    static const JsonValue kNoDialogue(rapidjson::kArrayType);
    const JsonValue* dialogue = json::FindArray(document, "Dialogue");
    DialogueManager::GetInstance().LoadDialogue(dialogue ? *dialogue : kNoDialogue);
}

void SetUpSceneDialogue(const JsonValue&) { DialogueManager::GetInstance().SetupScene(); }

void UpdateDialogueKeys() {
    DialogueManager& dialogue = DialogueManager::GetInstance();
    if (!dialogue.ModalLineActive()) return;
    const InputManager& input = InputManager::GetInstance();
    if (input.GetKeyDown(InputAction::Jump) && !dialogue.RevealRestOfLine()) dialogue.NextDialogue(true);
    if (input.Current(InputAction::Back) != 0 && GameFlags::Any(GameFlags::Cutscene)) {
        const bool wasSet = dialogue.skipToggle;
        dialogue.skipToggle = !wasSet;
        if (wasSet) {
            // A conversation has far fewer lines than this; the bound only guards a broken one.
            using Next = Dialogue::DialogueManager::NextResult;
            for (int guard = 0; guard < 100000 && dialogue.NextDialogue(false) == Next::Shown; ++guard) {
            }
        }
    }
}

}  // namespace Dialogue
