#include "ui/OptionsMenu.h"

#include "audio/AudioManager.h"
#include "graphics/GraphicsEngine.h"
#include "graphics/SpriteRenderer.h"
#include "gameobjectengine/InputManager.h"
#include "save/SaveManager.h"
#include "scenemanager/SceneManager.h"
#include "ui/Button.h"
#include "ui/ButtonBinding.h"
#include "ui/Canvas.h"
#include "ui/ScreenPictures.h"
#include "ui/ToggleButton.h"

namespace UI {
namespace {

// Positions in percent of the screen, scales in pixels (half the drawn size).
const ScreenPicture kBackground{"OptionsScreen", "Assets/Art/UI/Menu UI/OptionsBG2.png", 50, 50, 448, 384, 15};
const ScreenPicture kYes{"FullscreenYes", "Assets/Art/UI/Menu UI/NewGameYes.png", 57, 37, 100, 100, 16};
const ScreenPicture kYesSelected{"FullscreenYesSelected", "Assets/Art/UI/Menu UI/NewGameYesSelected.png", 57, 37, 100, 100, 17};
const ScreenPicture kNo{"FullscreenNo", "Assets/Art/UI/Menu UI/NewGameNo.png", 67, 37, 100, 100, 16};
const ScreenPicture kNoSelected{"FullscreenNoSelected", "Assets/Art/UI/Menu UI/NewGameNoSelected.png", 67, 37, 100, 100, 17};
const ScreenPicture kMusicOn{"MusicButtonOn", "Assets/Art/UI/Pause or Death Menu/MusicButtonOn.png", 62, 50, 50, 50, 16};
const ScreenPicture kMusicOnSelected{"MusicButtonOnSelected", "Assets/Art/UI/Pause or Death Menu/MusicButtonOnSelected.png", 62, 50, 50, 50, 17};
const ScreenPicture kMusicOff{"MusicButtonOff", "Assets/Art/UI/Pause or Death Menu/MusicButtonOff.png", 62, 50, 50, 50, 16};
const ScreenPicture kMusicOffSelected{"MusicButtonOffSelected", "Assets/Art/UI/Pause or Death Menu/MusicButtonOffSelected.png", 62, 50, 50, 50, 17};
const ScreenPicture kSoundOn{"SoundButtonOn", "Assets/Art/UI/Pause or Death Menu/SFXButtonOn.png", 62, 65, 50, 50, 16};
const ScreenPicture kSoundOnSelected{"SoundButtonOnSelected", "Assets/Art/UI/Pause or Death Menu/SFXButtonOnSelected.png", 62, 65, 50, 50, 17};
const ScreenPicture kSoundOff{"SoundButtonOff", "Assets/Art/UI/Pause or Death Menu/SFXButtonOff.png", 62, 65, 50, 50, 16};
const ScreenPicture kSoundOffSelected{"SoundButtonOffSelected", "Assets/Art/UI/Pause or Death Menu/SFXButtonOffSelected.png", 62, 65, 50, 50, 17};
const ScreenPicture kDone{"Done", "Assets/Art/UI/Menu UI/Done.png", 50, 77, 100, 100, 16};
const ScreenPicture kDoneSelected{"DoneSelected", "Assets/Art/UI/Menu UI/DoneSelected.png", 50, 77, 100, 100, 17};

// A toggle and its three other looks; false when any of its objects could not be made.
bool BuildToggle(Handle<ToggleButton>& toggle, const ScreenPicture& on, const ScreenPicture& onSelected,
                 const ScreenPicture& off, const ScreenPicture& offSelected) {
    SpriteRenderer* own = MakeScreenPicture(on, false);
    ToggleButton* button = own ? own->owner->AddComponent<ToggleButton>() : nullptr;
    toggle = button;
    SpriteRenderer* looks[3] = {MakeScreenPicture(onSelected, false), MakeScreenPicture(off, false),
                                MakeScreenPicture(offSelected, false)};
    if (button) {
        button->stateZeroSelected = looks[0];
        button->stateOneNormal = looks[1];
        button->stateOneSelected = looks[2];
    }
    return button && looks[0] && looks[1] && looks[2];
}

constexpr Click<OptionsMenu> kButtonClicks[] = {
    {&OptionsMenu::fullscreenNo, &OptionsMenu::SetFullscreenOff},
    {&OptionsMenu::fullscreenYes, &OptionsMenu::SetFullscreenOn},
    {&OptionsMenu::doneButton, &OptionsMenu::Close},
};
constexpr Click<OptionsMenu, ToggleButton> kToggleClicks[] = {
    {&OptionsMenu::musicToggle, &OptionsMenu::ToggleMusic},
    {&OptionsMenu::soundToggle, &OptionsMenu::ToggleSound},
};

SaveManager* SceneSave() { return SceneManager::GetInstance().FindComponentOfType<SaveManager>(); }
Canvas* SceneCanvas() { return SceneManager::GetInstance().FindComponentOfType<Canvas>(); }

}  // namespace

void OptionsMenu::Awake() {
    Build();
    Link();
}

void OptionsMenu::Build() {
    background = MakeScreenPicture(kBackground, false);
    bool whole = background.Get() != nullptr;
    whole = MakeButton(fullscreenYes, kYes, kYesSelected) && whole;
    whole = MakeButton(fullscreenNo, kNo, kNoSelected) && whole;
    whole = BuildToggle(musicToggle, kMusicOn, kMusicOnSelected, kMusicOff, kMusicOffSelected) && whole;
    whole = BuildToggle(soundToggle, kSoundOn, kSoundOnSelected, kSoundOff, kSoundOffSelected) && whole;
    whole = MakeButton(doneButton, kDone, kDoneSelected) && whole;
    built_ = whole;
}

void OptionsMenu::Link() {
    if (Button* yes = fullscreenYes.Get()) {
        yes->down = musicToggle.Get();
        yes->right = fullscreenNo.Get();
    }
    if (Button* no = fullscreenNo.Get()) {
        no->down = musicToggle.Get();
        no->left = fullscreenYes.Get();
    }
    if (ToggleButton* music = musicToggle.Get()) {
        music->up = CurrentModeButton();
        music->down = soundToggle.Get();
    }
    if (ToggleButton* sound = soundToggle.Get()) {
        sound->up = musicToggle.Get();
        sound->down = doneButton.Get();
    }
    if (Button* done = doneButton.Get()) done->up = soundToggle.Get();
}

Button* OptionsMenu::CurrentModeButton() const {
    return GraphicsEngine::GetInstance().IsFullscreen() ? fullscreenYes.Get() : fullscreenNo.Get();
}

void OptionsMenu::MarkWindowMode() {
    // A button has only its own and its selected look: the mark of the mode in use is
    // the own picture's opacity, the other choice reading as the one not taken.
    constexpr int32_t kOtherModeAlpha = 40;
    const Button* current = CurrentModeButton();
    for (const Button* choice : {fullscreenYes.Get(), fullscreenNo.Get()})
        if (SpriteRenderer* own = choice ? OwnSprite(*choice) : nullptr)
            own->alpha = choice == current ? 100 : kOtherModeAlpha;
}

void OptionsMenu::Start() {
    BindAll(this, kButtonClicks);
    BindAll(this, kToggleClicks);
}

void OptionsMenu::OnDestroy() {
    UnbindAll(this, kButtonClicks);
    UnbindAll(this, kToggleClicks);
}

void OptionsMenu::OnSceneLoaded() {
    const SaveManager* save = SceneSave();
    if (!save) return;
    if (ToggleButton* music = musicToggle.Get(); music && save->record.musicMuted) music->state = true;
    if (ToggleButton* sound = soundToggle.Get(); sound && save->record.sfxMuted) sound->state = true;
}

void OptionsMenu::Update() {
    if (open_ && InputManager::GetInstance().GetKeyDown(InputAction::Back)) SetOpen(false);
}

void OptionsMenu::ShowButtons(bool shown) {
    for (Button* button : {doneButton.Get(), fullscreenYes.Get(), fullscreenNo.Get()})
        if (button) button->SetEnabled(shown);
    for (ToggleButton* toggle : {musicToggle.Get(), soundToggle.Get()})
        if (toggle) toggle->SetEnabled(shown);
}

void OptionsMenu::SetOpen(bool open) {
    Canvas* canvas = SceneCanvas();
    if (open) {
        if (!built_) return;
        open_ = true;
        Show(background.Get(), true);
        ShowButtons(true);
        MarkWindowMode();
        if (canvas) canvas->Select(CurrentModeButton());
        return;
    }
    open_ = false;
    if (canvas) canvas->Select(returnButton.Get());
    Show(background.Get(), false);
    ShowButtons(false);
    if (canvas) canvas->ShowCursor(true);
}

void OptionsMenu::SetFullscreenOn() {
    GraphicsEngine::GetInstance().SetFullscreen(true);
    if (ToggleButton* music = musicToggle.Get()) music->up = fullscreenYes.Get();
    if (SaveManager* save = SceneSave()) save->record.fullscreen = true;
    MarkWindowMode();
}

void OptionsMenu::SetFullscreenOff() {
    GraphicsEngine::GetInstance().SetFullscreen(false);
    if (ToggleButton* music = musicToggle.Get()) music->up = fullscreenNo.Get();
    if (SaveManager* save = SceneSave()) save->record.fullscreen = false;
    MarkWindowMode();
}

namespace {

// Flips the mute of a group from the toggle's state before its click; returns the new mute.
bool FlipMute(const ToggleButton* toggle, int group) {
    const bool mute = !(toggle && toggle->state);
    AudioManager& audio = AudioManager::GetInstance();
    audio.lastResult = audio.Group(group).SetMute(mute);
    return mute;
}

}  // namespace

void OptionsMenu::ToggleMusic() {
    const bool muted = FlipMute(musicToggle.Get(), 0);
    if (SaveManager* save = SceneSave()) save->record.musicMuted = muted;
}

void OptionsMenu::ToggleSound() {
    const bool muted = FlipMute(soundToggle.Get(), 1);
    if (SaveManager* save = SceneSave()) save->record.sfxMuted = muted;
}

}  // namespace UI
