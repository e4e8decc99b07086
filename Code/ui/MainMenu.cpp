#include "ui/MainMenu.h"

#include "audio/AudioSource.h"
#include "gameobjectengine/EngineState.h"
#include "gameobjectengine/InputManager.h"
#include "gameobjectengine/TimeToLive.h"
#include "graphics/Fader.h"
#include "graphics/GraphicsEngine.h"
#include "graphics/SpriteRenderer.h"
#include "save/SaveManager.h"
#include "scenemanager/SceneManager.h"
#include "scenemanager/SceneTable.h"
#include "scenemanager/SceneTransition.h"
#include "ui/ButtonActions.h"
#include "ui/ButtonBinding.h"
#include "ui/Canvas.h"

namespace UI {
namespace {

constexpr int32_t kFirstLevel = static_cast<int32_t>(SaveData::kNoProgress);
constexpr int32_t kMenuCredits = 18;

constexpr Click<MainMenu> kClicks[] = {
    {&MainMenu::newGameButton, &MainMenu::ShowNewGameConfirmation},
    {&MainMenu::continueButton, &MainMenu::Continue},
    {&MainMenu::newGameYesButton, &MainMenu::NewGame},
    {&MainMenu::newGameNoButton, &MainMenu::HideNewGameConfirmation},
    {&MainMenu::optionsButton, &MainMenu::OpenOptions},
    {&MainMenu::creditsButton, &MainMenu::OpenCredits},
    {&MainMenu::exitButton, &MainMenu::Exit},
};

SaveManager* SceneSave() { return SceneManager::GetInstance().FindComponentOfType<SaveManager>(); }

}  // namespace

MainMenu::MainMenu(const JsonValue& json) : Component(json) {
    FetchLink(this, json, "newGameButton", newGameButton);
    FetchLink(this, json, "newGameConfirmationBG", newGameConfirmationBG);
    FetchLink(this, json, "newGameYesButton", newGameYesButton);
    FetchLink(this, json, "newGameNoButton", newGameNoButton);
    FetchLink(this, json, "continueButton", continueButton);
    FetchLink(this, json, "optionsButton", optionsButton);
    FetchLink(this, json, "creditsButton", creditsButton);
    FetchLink(this, json, "exitButton", exitButton);
}

Canvas* MainMenu::OwnCanvas() const { return owner ? owner->GetComponent<Canvas>() : nullptr; }

void MainMenu::Start() { BindAll(this, kClicks); }

void MainMenu::OnSceneLoaded() {
    const SaveManager* save = SceneSave();
    if (!save) return;
    if (save->record.sceneIndex != SaveData::kNoProgress) {
        if (Canvas* canvas = OwnCanvas()) {
            canvas->initialUI = continueButton.Get();
            canvas->Select(continueButton.Get());
        }
        return;
    }
    if (Button* cont = continueButton.Get()) Show(OwnSprite(*cont), false);
    if (Button* newGame = newGameButton.Get()) newGame->up.Reset();
}

void MainMenu::Update() {
    if (InputManager::GetInstance().GetKeyDown(InputAction::Back) && IsShown(newGameConfirmationBG.Get()))
        HideNewGameConfirmation();
}

void MainMenu::OnDestroy() {
    UnbindAll(this, kClicks);
    SceneManager& scene = SceneManager::GetInstance();
    GameObject* music = scene.GetGameObjectByName("BGM");
    // The music on the menu's own object goes with it anyway; destroying it here would
    // destroy the object whose components are being destroyed.
    if (music && music != owner) scene.DestroyGameObjectNow(music->id);
}

void MainMenu::ShowNewGameConfirmation() {
    Canvas* canvas = OwnCanvas();
    SetConfirmation(canvas, true, newGameYesButton.Get(), newGameNoButton.Get(), newGameConfirmationBG.Get(),
                    nullptr);
    if (canvas) canvas->ShowCursor(false);
}

void MainMenu::HideNewGameConfirmation() {
    Canvas* canvas = OwnCanvas();
    SetConfirmation(canvas, false, newGameYesButton.Get(), newGameNoButton.Get(), newGameConfirmationBG.Get(),
                    newGameButton.Get());
    if (canvas) canvas->ShowCursor(true);
}

void MainMenu::NewGame() { LeaveTo(true); }

void MainMenu::Continue() { LeaveTo(false); }

void MainMenu::LeaveTo(bool newGame) {
    SaveManager* save = SceneSave();
    Fader* screenFade = ComponentOfObject<Fader>("LoadingScreen");
    if (screenFade) {
        screenFade->StartFade();
        if (Canvas* canvas = OwnCanvas()) canvas->enabled = false;
        if (TimeToLive* life = owner ? owner->GetComponent<TimeToLive>() : nullptr) life->enabled = true;
        if (auto* transition = ComponentOfObject<SceneTransition>("LoadingScreen")) {
            if (newGame) {
                transition->sceneIndex = kFirstLevel;
                if (save) save->record.sceneIndex = SaveData::kNoProgress;
            } else if (save) {
                const auto saved = static_cast<int32_t>(save->record.sceneIndex);
                // An index outside the scene table would never load: start from the first level.
                transition->sceneIndex = scenes::PathOf(saved) ? saved : kFirstLevel;
            }
        }
    }
    StartLoadingAnimation("LoadingAnim");
    if (AudioSource* music = ComponentOfObject<AudioSource>("BGM")) music->FadeVolume(1.0f, 0.0f);
}

void MainMenu::OpenOptions() { OpenOptionsOver(optionsButton.Get()); }

void MainMenu::OpenCredits() { SceneTransition::LoadSceneByIndex(kMenuCredits); }

void MainMenu::Exit() {
    GraphicsEngine::GetInstance().Shutdown();
    EngineState::GetInstance().state = EngineState::QuitState;
}

}  // namespace UI
