#include "ui/PauseMenu.h"

#include "audio/AudioManager.h"
#include "audio/DynamicBGM.h"
#include "audio/TransitionalBGM.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/InputManager.h"
#include "graphics/Fader.h"
#include "graphics/SpriteRenderer.h"
#include "save/SaveManager.h"
#include "scenemanager/SceneManager.h"
#include "scenemanager/SceneTransition.h"
#include "ui/ButtonActions.h"
#include "ui/ButtonBinding.h"
#include "ui/Canvas.h"
#include "ui/OptionsMenu.h"

namespace UI {
namespace {

#define PAUSE_ART "Assets/Art/UI/Pause or Death Menu/"
const ScreenPicture kScreen{"PauseScreen", PAUSE_ART "Pause Background.png", 50, 50, 448, 256, 12};
const ScreenPicture kResume{"Resume", PAUSE_ART "Resume.png", 60, 47, 200, 50, 13};
const ScreenPicture kResumeSelected{"ResumeSelected", PAUSE_ART "ResumeSelected.png", 60, 47, 200, 50, 14};
const ScreenPicture kRestart{"Restart", PAUSE_ART "Restart.png", 60, 54, 200, 50, 13};
const ScreenPicture kRestartSelected{"RestartSelected", PAUSE_ART "RestartSelected.png", 60, 54, 200, 50, 14};
const ScreenPicture kQuit{"Quit", PAUSE_ART "Quit.png", 60, 61, 200, 50, 13};
const ScreenPicture kQuitSelected{"QuitSelected", PAUSE_ART "QuitSelected.png", 60, 61, 200, 50, 14};
const ScreenPicture kOptions{"Options", PAUSE_ART "Options.png", 40, 47, 200, 50, 13};
const ScreenPicture kOptionsSelected{"OptionsSelected", PAUSE_ART "OptionsSelected.png", 40, 47, 200, 50, 14};
const ScreenPicture kRestartYes{"RestartYes", PAUSE_ART "Yes.png", 50, 55, 100, 25, 18};
const ScreenPicture kRestartYesSelected{"RestartYesSelected", PAUSE_ART "YesSelected.png", 50, 55, 100, 25, 19};
const ScreenPicture kRestartNo{"RestartNo", PAUSE_ART "No.png", 50, 58, 100, 25, 18};
const ScreenPicture kRestartNoSelected{"RestartNoSelected", PAUSE_ART "NoSelected.png", 50, 58, 100, 25, 19};
const ScreenPicture kRestartBG{"RestartBG", PAUSE_ART "ConfirmationBG.png", 50, 50, 256, 128, 18};
const ScreenPicture kQuitYes{"QuitYes", PAUSE_ART "Yes.png", 50, 55, 100, 25, 18};
const ScreenPicture kQuitYesSelected{"QuitYesSelected", PAUSE_ART "YesSelected.png", 50, 55, 100, 25, 19};
const ScreenPicture kQuitNo{"QuitNo", PAUSE_ART "No.png", 50, 58, 100, 25, 18};
const ScreenPicture kQuitNoSelected{"QuitNoSelected", PAUSE_ART "NoSelected.png", 50, 58, 100, 25, 19};
const ScreenPicture kQuitBG{"QuitBG", PAUSE_ART "ConfirmationBG.png", 50, 50, 256, 128, 18};
#undef PAUSE_ART

constexpr float kPausedMusicShare = 0.25f;

void SetMusicVolume(float volume) {
    AudioManager& audio = AudioManager::GetInstance();
    audio.lastResult = audio.Group(0).SetVolume(volume);
}

// Fades the scene's layered music out over a second.
void FadeOutSceneMusic() {
    SceneManager& scene = SceneManager::GetInstance();
    if (DynamicBGM* music = scene.FindComponentOfType<DynamicBGM>()) music->FadeTo(1.0f, 0.0f);
    if (TransitionalBGM* music = scene.FindComponentOfType<TransitionalBGM>()) music->FadeTo(1.0f, 0.0f);
}

constexpr Click<PauseMenu> kClicks[] = {
    {&PauseMenu::resumeButton, &PauseMenu::Resume},
    {&PauseMenu::restartButton, &PauseMenu::ShowRestartConfirmation},
    {&PauseMenu::restartYesButton, &PauseMenu::Restart},
    {&PauseMenu::restartNoButton, &PauseMenu::HideRestartConfirmation},
    {&PauseMenu::quitButton, &PauseMenu::ShowQuitConfirmation},
    {&PauseMenu::quitYesButton, &PauseMenu::QuitToMenu},
    {&PauseMenu::quitNoButton, &PauseMenu::HideQuitConfirmation},
    {&PauseMenu::optionsButton, &PauseMenu::OpenOptions},
};

}  // namespace

float StoredMusicVolume() {
    const SaveManager* save = SceneManager::GetInstance().FindComponentOfType<SaveManager>();
    return save ? save->record.musicVolume : 1.0f;
}

void PauseMenu::Awake() {
    Build();
    Link();
    if (owner) owner->AddComponent<OptionsMenu>();
}

void PauseMenu::Build() {
    background = MakeScreenPicture(kScreen, false);
    bool whole = background.Get() != nullptr;
    whole = MakeButton(resumeButton, kResume, kResumeSelected) && whole;
    whole = MakeButton(restartButton, kRestart, kRestartSelected) && whole;
    whole = MakeButton(quitButton, kQuit, kQuitSelected) && whole;
    whole = MakeButton(optionsButton, kOptions, kOptionsSelected) && whole;
    whole = MakeButton(restartYesButton, kRestartYes, kRestartYesSelected) && whole;
    whole = MakeButton(restartNoButton, kRestartNo, kRestartNoSelected) && whole;
    restartConfirmationBG = MakeScreenPicture(kRestartBG, false);
    whole = restartConfirmationBG.Get() && whole;
    whole = MakeButton(quitYesButton, kQuitYes, kQuitYesSelected) && whole;
    whole = MakeButton(quitNoButton, kQuitNo, kQuitNoSelected) && whole;
    quitConfirmationBG = MakeScreenPicture(kQuitBG, false);
    built_ = quitConfirmationBG.Get() && whole;
}

void PauseMenu::Link() {
    Button* resume = resumeButton.Get();
    Button* restart = restartButton.Get();
    Button* quit = quitButton.Get();
    Button* options = optionsButton.Get();
    if (resume) resume->down = restart;
    if (restart) {
        restart->up = resume;
        restart->down = quit;
    }
    if (quit) quit->up = restart;
    for (Button* main : {resume, restart, quit})
        if (main) main->left = options;
    if (options) options->right = resume;
    if (Button* yes = restartYesButton.Get()) yes->down = restartNoButton.Get();
    if (Button* no = restartNoButton.Get()) no->up = restartYesButton.Get();
    if (Button* yes = quitYesButton.Get()) yes->down = quitNoButton.Get();
    if (Button* no = quitNoButton.Get()) no->up = quitYesButton.Get();
}

void PauseMenu::Start() {
    canvas = owner ? owner->GetComponent<Canvas>() : nullptr;
    if (Canvas* own = canvas.Get()) own->initialUI = resumeButton.Get();
    BindAll(this, kClicks);
}

void PauseMenu::OnDestroy() { UnbindAll(this, kClicks); }

void PauseMenu::Update() {
    if (!InputManager::GetInstance().GetKeyDown(InputAction::Back)) return;
    if (!GameFlags::Any(GameFlags::Paused | GameFlags::Cutscene | GameFlags::GameOver)) {
        Open();
        return;
    }
    if (!GameFlags::Any(GameFlags::Paused)) return;
    if (IsShown(restartConfirmationBG.Get())) HideRestartConfirmation();
    else if (IsShown(quitConfirmationBG.Get())) HideQuitConfirmation();
    else Resume();
}

void PauseMenu::Open() {
    // A screen that could not be built stays closed (the game-over menu has none at all).
    if (!built_) return;
    GameFlags::word |= GameFlags::Paused;
    Show(background.Get(), true);
    if (Canvas* own = canvas.Get()) {
        own->enabled = true;
        own->Start();
    }
    ShowMainButtons(true);
    CoverBanner();
    SetMusicVolume(StoredMusicVolume() * kPausedMusicShare);
}

void PauseMenu::CoverBanner() {
    SpriteRenderer* banner = ComponentOfObject<SpriteRenderer>("SkillUnlock");
    if (!IsShown(banner)) return;
    Show(banner, false);
    coveredBanner_ = banner;
}

void PauseMenu::UncoverBanner() {
    Show(coveredBanner_.Get(), true);
    coveredBanner_ = nullptr;
}

void PauseMenu::ShowMainButtons(bool shown) {
    for (Button* button : {resumeButton.Get(), restartButton.Get(), quitButton.Get(), optionsButton.Get()})
        if (button) button->SetEnabled(shown);
}

void PauseMenu::Resume() {
    GameFlags::word &= ~GameFlags::Paused;
    Show(background.Get(), false);
    if (Canvas* own = canvas.Get()) own->enabled = false;
    ShowMainButtons(false);
    UncoverBanner();
    SetMusicVolume(StoredMusicVolume());
}

void PauseMenu::ShowRestartConfirmation() {
    SetConfirmation(canvas.Get(), true, restartYesButton.Get(), restartNoButton.Get(), restartConfirmationBG.Get(),
                    nullptr);
}

void PauseMenu::HideRestartConfirmation() {
    SetConfirmation(canvas.Get(), false, restartYesButton.Get(), restartNoButton.Get(), restartConfirmationBG.Get(),
                    restartButton.Get());
}

void PauseMenu::ShowQuitConfirmation() {
    SetConfirmation(canvas.Get(), true, quitYesButton.Get(), quitNoButton.Get(), quitConfirmationBG.Get(), nullptr);
}

void PauseMenu::HideQuitConfirmation() {
    SetConfirmation(canvas.Get(), false, quitYesButton.Get(), quitNoButton.Get(), quitConfirmationBG.Get(),
                    quitButton.Get());
}

void PauseMenu::Restart() {
    const uint32_t current = SceneManager::GetInstance().currentSceneIndex;
    auto* transition = ComponentOfObject<SceneTransition>("LoadingOutScreen");
    auto* fade = ComponentOfObject<Fader>("LoadingOutScreen");
    if (transition && fade) {
        transition->sceneIndex = static_cast<int32_t>(current);
        fade->StartFade();
    }
    StartLoadingAnimation("LoadingOutAnim");
    GameFlags::word = (GameFlags::word & ~GameFlags::Paused) | GameFlags::Cutscene;
    FadeOutSceneMusic();
    SetMusicVolume(StoredMusicVolume());
    // Without the loading-out fade nothing would ever reload the scene: play would stay frozen.
    if (!transition || !fade) SceneTransition::LoadSceneByIndex(static_cast<int32_t>(current));
}

void PauseMenu::QuitToMenu() {
    SceneTransition::LoadSceneByIndex(0);
    GameFlags::word &= ~GameFlags::Paused;
    SetMusicVolume(StoredMusicVolume());
    if (DynamicBGM* music = SceneManager::GetInstance().FindComponentOfType<DynamicBGM>()) music->FadeTo(1.0f, 0.0f);
}

void PauseMenu::OpenOptions() { OpenOptionsOver(optionsButton.Get()); }

}  // namespace UI
