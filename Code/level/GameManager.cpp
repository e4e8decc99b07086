#include "level/GameManager.h"

#include "audio/DynamicBGM.h"
#include "audio/TransitionalBGM.h"
#include "combat/CombatUnit.h"
#include "dialogue/DialogueManager.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/JobManager.h"
#include "graphics/Fader.h"
#include "graphics/GraphicsEngine.h"
#include "graphics/SpriteRenderer.h"
#include "save/SaveManager.h"
#include "scenemanager/SceneManager.h"
#include "scenemanager/SceneTransition.h"
#include "ui/DeathMenu.h"
#include "ui/PauseMenu.h"
#include "ui/ScreenPictures.h"

namespace {

constexpr float kDialogueStartSeconds = 1.0f;
constexpr float kDeathMenuSeconds = 2.0f;
constexpr const char* kThiefFellPicture = "Assets/Art/Backgrounds/Game Over Screen Thief.png";
constexpr const char* kMageFellPicture = "Assets/Art/Backgrounds/Game Over Screen Mage.png";

void FadeOutMusic(float seconds) {
    SceneManager& scene = SceneManager::GetInstance();
    if (auto* music = scene.FindComponentOfType<DynamicBGM>()) music->FadeTo(seconds, 0.0f);
    if (auto* music = scene.FindComponentOfType<TransitionalBGM>()) music->FadeTo(seconds, 0.0f);
}

}  // namespace

GameManager::GameManager(const JsonValue& json) : Component(json), saveScene(json::ReadFlag(json, "saveScene", true)) {}

void GameManager::Start() {
    Build();
    GraphicsEngine& graphics = GraphicsEngine::GetInstance();
    // Held, not decoded: most levels end without either showing.
    graphics.HoldTexture(kMageFellPicture);
    graphics.HoldTexture(kThiefFellPicture);
}

void GameManager::OnSceneLoaded() {
    GameFlags::word = 0;
    // The level becomes the continue point; the save manager writes it after this pass.
    SceneManager& scene = SceneManager::GetInstance();
    if (SaveManager* save = scene.FindComponentOfType<SaveManager>(); save && saveScene)
        save->record.sceneIndex = scene.currentSceneIndex;
}

void GameManager::Update() {
    if (firstFrame) {
        // The level opens frozen; the conversation's first line (or its end) frees it.
        GameFlags::word |= GameFlags::Cutscene;
        JobManager::GetInstance().AddJobFor(
            this,
            [] {
                using Dialogue::DialogueManager;
                // A level whose bubble found no room in the object table must still start.
                if (DialogueManager::GetInstance().NextDialogue(true) == DialogueManager::NextResult::NoBubble)
                    GameFlags::word &= ~GameFlags::Cutscene;
            },
            JobKind::Frame, kDialogueStartSeconds);
        firstFrame = false;
    }
    if (GameFlags::Any(GameFlags::GameOver)) return;
    if (GameFlags::Any(GameFlags::Cutscene)) {
        Hide();
    } else {
        Show();
        MarkActiveHero();
    }
    FollowSkillCooldowns();
    CheckGameOver();
}

void GameManager::CheckGameOver() {
    // Any hero the level has ends it by falling; the thief is looked at first.
    const Combat::CombatUnit* thief = thiefUnit.Get();
    const Combat::CombatUnit* mage = mageUnit.Get();
    if (thief && thief->currentHealth < 1)
        StartGameOver(true);
    else if (mage && mage->currentHealth < 1)
        StartGameOver(false);
}

void GameManager::StartGameOver(bool thiefFell) {
    const UI::ScreenPicture fell = {"GameOverScreen", thiefFell ? kThiefFellPicture : kMageFellPicture,
                                    50.0f, 50.0f, 50.0f, 50.0f, 15};
    if (SpriteRenderer* picture = UI::MakeScreenPicture(fell, true)) {
        // The whole screen, faded in from nothing.
        picture->alpha = 0;
        picture->relativeScale = true;
        if (Fader* fader = picture->owner->AddComponent<Fader>()) {
            fader->startingAlpha = 0.0f;
            fader->endingAlpha = 100.0f;
            fader->fadeTime = kDeathMenuSeconds;
            fader->StartFade();
        }
    }
    // The menu comes even when the picture could not be made: game over never ends in a dead end.
    JobManager::GetInstance().AddJobFor(this, [this] { ShowDeathMenu(); }, JobKind::Frame, kDeathMenuSeconds);
    FadeOutMusic(thiefFell ? 3.0f : 1.5f);
    GameFlags::word |= GameFlags::GameOver;
}

void GameManager::ShowDeathMenu() {
    SceneManager& scene = SceneManager::GetInstance();
    // The picture may have found no room when the hero fell; the menu needs an object of its own.
    GameObject* screen = scene.GetGameObjectByName("GameOverScreen");
    if (!screen) screen = scene.CreateGameObject("GameOverScreen");
    // Plays the silence track, then the restart and quit buttons.
    const UI::PauseMenu* menu = UI::BuildDeathMenu(screen);
    // Without room for the menu's buttons the level restarts by itself: game over never
    // ends in a screen nobody can leave.
    if (!menu || !menu->restartYesButton) SceneTransition::LoadSceneByIndex(
        static_cast<int32_t>(SceneManager::GetInstance().currentSceneIndex));
}
