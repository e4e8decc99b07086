#include "dialogue/DialogueManager.h"

#include <string>

#include "audio/AudioManager.h"
#include "audio/DynamicBGM.h"
#include "audio/TransitionalBGM.h"
#include "dialogue/DialogueBox.h"
#include "gameobjectengine/Follow.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/TimeToLive.h"
#include "gameobjectengine/Transform.h"
#include "graphics/Fader.h"
#include "graphics/SpriteRenderer.h"
#include "scenemanager/SceneManager.h"
#include "scenemanager/SceneTransition.h"

namespace Dialogue {

namespace {

constexpr float kExitFadeSeconds = 1.0f;
constexpr float kExitAnimFadeSeconds = 0.95f;
constexpr float kSkillUnlockSeconds = 3.0f;

Fader* FaderOf(const char* objectName) {
    GameObject* object = SceneManager::GetInstance().GetGameObjectByName(objectName);
    return object ? object->GetComponent<Fader>() : nullptr;
}

void BuildBubble(Handle<DialogueBox>& box, Handle<Follow>& follow) {
    GameObject* object = SceneManager::GetInstance().CreateGameObject("Dialogue");
    if (!object) return;  // the object table is full: the scene has no bubble
    Transform* transform = object->AddComponent<Transform>();
    if (transform) {
        transform->x = 500.0f;
        transform->y = 75.0f;
        transform->scaleX = 1.0f;
        transform->scaleY = 1.0f;
    }
    if (DialogueBox* bubble = object->AddComponent<DialogueBox>()) {
        bubble->transform = transform;
        bubble->Layout();
        bubble->SetEnabled(false);
        box = bubble;
    }
    follow = object->AddComponent<Follow>();
}

constexpr const char* kOverlayPicture = "Assets/Art/UI/DialogueOverlay.png";
constexpr const char* kOverlayPs4Picture = "Assets/Art/UI/DialogueOverlay_PS4.png";
constexpr const char* kOverlayX360Picture = "Assets/Art/UI/DialogueOverlay_X360.png";

void BuildOverlay(Handle<SpriteRenderer>& overlay) {
    GameObject* object = SceneManager::GetInstance().CreateGameObject("DialogueOverlay");
    if (!object) return;
    if (Transform* transform = object->AddComponent<Transform>()) {
        transform->x = 50.0f;
        transform->y = 50.0f;
        transform->scaleX = 50.0f;
        transform->scaleY = 50.0f;
    }
    SpriteRenderer* sprite = object->AddComponent<SpriteRenderer>(true);
    if (!sprite) return;
    sprite->layer = 25;
    sprite->relativePos = true;
    sprite->relativeScale = true;
    sprite->speed = 0.0f;
    sprite->controllerDependent = true;
    sprite->file = kOverlayPicture;
    sprite->ps4file = kOverlayPs4Picture;
    sprite->x360file = kOverlayX360Picture;
    sprite->enabled = false;
    sprite->Awake();
    sprite->Start();
    overlay = sprite;
}

}  // namespace

void DialogueManager::Reset() {
    lines.clear();
    currentLine = 0;
    box.Reset();
    follow.Reset();
    overlay.Reset();
    currentFlags = 0;
    active = false;
    skipToggle = false;
    transitionPlayed = false;
}

void DialogueManager::LoadDialogue(const JsonValue& dialogue) {
    // Nothing of the last scene carries over: a conversation cut off by a scene change
    // must not leave the new scene believing a line is on show.
    Reset();
    if (!dialogue.IsArray()) return;
    lines.reserve(dialogue.Size());
    for (const JsonValue& element : dialogue.GetArray()) {
        DialogueData line;
        if (ReadDialogueLine(element, line)) lines.push_back(std::move(line));
    }
}

void DialogueManager::SetupScene() {
    currentLine = 0;
    BuildBubble(box, follow);
    BuildOverlay(overlay);
}

void DialogueManager::Pictures(std::vector<std::string>& out) {
    DialogueBox::Pictures(out);
    // The game pads' overlays are held until a pad shows them (SpriteRenderer::LoadPadTexture).
    out.push_back(kOverlayPicture);
}

bool DialogueManager::ModalLineActive() const {
    return box && follow && active && (currentFlags & DialogueData::kModal) != 0;
}

bool DialogueManager::RevealRestOfLine() {
    DialogueBox* bubble = box.Get();
    if (!bubble || bubble->revealed) return false;
    bubble->RevealAll();
    return true;
}

DialogueManager::NextResult DialogueManager::NextDialogue(bool playSound) {
    DialogueBox* bubble = box.Get();
    Follow* follower = follow.Get();
    if (!bubble || !follower) return NextResult::NoBubble;
    if (currentLine >= lines.size()) {
        EndDialogue();
        return NextResult::NoLineLeft;
    }
    if ((currentFlags & DialogueData::kEndsConversation) != 0) {
        EndDialogue();  // the next line waits for a later start
        return NextResult::EndedAtBreak;
    }
    const DialogueData& line = lines[currentLine];
    ShowLine(line, *bubble, *follower);
    ++currentLine;
    if (playSound) {
        static const std::string click = "Assets/Audio/SFX/UI_Click.ogg";
        AudioManager::GetInstance().PlaySound(click, 1, false, -1, 0.25f);
        if (!line.sound.empty()) AudioManager::GetInstance().PlaySound(line.sound, 1, false, -1, 1.0f);
    }
    return NextResult::Shown;
}

void DialogueManager::ShowLine(const DialogueData& line, DialogueBox& bubble, Follow& follower) {
    GameObject* speaker = SceneManager::GetInstance().GetGameObjectByName(line.speaker);
    Transform* target = speaker ? speaker->GetComponent<Transform>() : nullptr;
    // Without a speaker to follow the bubble stays where it is.
    follower.target = target;
    follower.xOffset = line.offset.x;
    follower.yOffset = line.offset.y;
    if (target && follower.transform) {
        // Placed now, so the new line never shows for a frame over the last speaker.
        follower.transform->x = target->x + follower.xOffset;
        follower.transform->y = target->y + follower.yOffset;
    }
    bubble.SetText(line.text);
    bubble.SetEnabled(true);
    currentFlags = line.flags;
    const bool modal = (line.flags & DialogueData::kModal) != 0;
    // The overlay says "SPACE continue": it shows over the lines that wait for Space and
    // no other. Left up over a line that moves on by itself (and that Space does not
    // move), it would tell the player to press a key that does nothing.
    if (SpriteRenderer* picture = overlay.Get()) picture->enabled = modal;
    if (modal) {
        GameFlags::word |= GameFlags::Cutscene;
        bubble.autoAdvance = false;
    } else {
        GameFlags::word &= ~GameFlags::Cutscene;
        bubble.autoAdvance = true;
    }
    bubble.revealed = false;
    active = true;
}

void DialogueManager::EndDialogue() {
    DialogueBox* bubble = box.Get();
    if (!bubble || !follow) return;
    const bool leaving = (currentFlags & DialogueData::kSceneExit) != 0 && LeaveScene();
    currentFlags = 0;
    bubble->SetEnabled(false);
    active = false;
    // A conversation that leaves the level keeps play frozen through the exit fade.
    if (!leaving) GameFlags::word &= ~GameFlags::Cutscene;
    if (SpriteRenderer* picture = overlay.Get()) picture->enabled = false;
    // The music that follows a conversation would undo the exit's fade to silence.
    if (!leaving) EndMusic();
    if (GameObject* unlock = SceneManager::GetInstance().GetGameObjectByName("SkillUnlock")) {
        if (Fader* fader = unlock->GetComponent<Fader>()) fader->StartFade();
        if (auto* life = unlock->AddComponent<TimeToLive>()) life->SetSeconds(kSkillUnlockSeconds);
    }
}

bool DialogueManager::LeaveScene() {
    GameObject* out = SceneManager::GetInstance().GetGameObjectByName("LoadingOutScreen");
    Fader* fader = out && out->GetComponent<SceneTransition>() ? out->GetComponent<Fader>() : nullptr;
    // A level without its way out ends the conversation as any other: play must not stay frozen.
    if (!fader) return false;
    fader->fadeTime = kExitFadeSeconds;
    fader->StartFade();
    if (Fader* anim = FaderOf("LoadingOutAnim")) {
        anim->fadeTime = kExitAnimFadeSeconds;
        anim->StartFade();
    }
    GameFlags::word = (GameFlags::word & ~GameFlags::Paused) | GameFlags::Cutscene;
    SceneManager& scene = SceneManager::GetInstance();
    if (auto* music = scene.FindComponentOfType<DynamicBGM>()) music->FadeTo(kExitFadeSeconds, 0.0f);
    if (auto* music = scene.FindComponentOfType<TransitionalBGM>()) music->FadeTo(kExitFadeSeconds, 0.0f);
    return true;
}

void DialogueManager::EndMusic() {
    SceneManager& scene = SceneManager::GetInstance();
    // The added music layers come in when the first conversation ends.
    if (auto* music = scene.FindComponentOfType<DynamicBGM>()) music->StartLayers();
    if (transitionPlayed || currentLine < lines.size()) return;
    if (auto* music = scene.FindComponentOfType<TransitionalBGM>()) {
        music->StartTransition();
        transitionPlayed = true;  // later ends must not restart the piece or cut the next loop
    }
}

}  // namespace Dialogue
