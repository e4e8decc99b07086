#include "dialogue/DialogueManager.h"

namespace Dialogue {

void DialogueManager::LoadDialogue(const JsonValue&) {}

void DialogueManager::SetupScene() {}

int DialogueManager::NextDialogue(bool) { return 1; }

}  // namespace Dialogue
