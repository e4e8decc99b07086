// The scene's conversation as the scene manager drives it: handed over at each load,
// and its keys read before the objects update each frame.
#include "dialogue/DialogueManager.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/InputManager.h"
#include "scenemanager/SceneManager.h"

void SceneManager::HandOverDialogue(const JsonValue* dialogue) {
    static const JsonValue kNoDialogue(rapidjson::kArrayType);
    Dialogue::DialogueManager::GetInstance().LoadDialogue(dialogue ? *dialogue : kNoDialogue);
}

void SceneManager::SetUpSceneDialogue() { Dialogue::DialogueManager::GetInstance().SetupScene(); }

void SceneManager::DialoguePictures(std::vector<std::string>& out) { Dialogue::DialogueManager::Pictures(out); }

void SceneManager::UpdateDialogueKeys() {
    Dialogue::DialogueManager& dialogue = Dialogue::DialogueManager::GetInstance();
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
