#pragma once
// The scene's conversation as a scene load and each frame drive it (the scene
// manager's hooks, installed at start).
#include "gameobjectengine/JsonRead.h"

namespace Dialogue {

// Hands the scene file's "Dialogue" array (none: an empty one) to the dialogue manager.
// Before the party is set up.
void HandOverSceneDialogue(const JsonValue& document);
// The dialogue manager's scene set-up. After the party is set up.
void SetUpSceneDialogue(const JsonValue& document);
// Before the objects update: the keys that move a modal line on or skip a cutscene.
void UpdateDialogueKeys();

}  // namespace Dialogue
