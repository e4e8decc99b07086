// The three globals built before main, in this order. Nothing else may be built
// at static-initialisation time; everything else is created on first use.
#include "audio/AudioManager.h"
#include "dialogue/DialogueManager.h"
#include "gameobjectengine/JobManager.h"

namespace {
AudioManager gAudioManager;
Dialogue::DialogueManager gDialogueManager;
JobManager gJobManager;
}  // namespace

AudioManager& AudioManager::GetInstance() { return gAudioManager; }
Dialogue::DialogueManager& Dialogue::DialogueManager::GetInstance() { return gDialogueManager; }
JobManager& JobManager::GetInstance() { return gJobManager; }
