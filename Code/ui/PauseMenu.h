#pragma once
// The in-level pause screen. Escape pauses the game (GameFlags bit 0) and shows resume,
// restart, quit and options; restart and quit ask for confirmation; Escape backs out of a
// confirmation or resumes. While paused the music plays at a quarter of its stored volume.
//
// Scene set-up: a "PauseMenu" on an object that also carries a Canvas with "enabled": 0
// (the menu enables it when it opens). Awake builds the screen and an OptionsMenu on the
// same object. The game-over menu is the same class without a screen (BuildDeathMenu).
#include "gameobjectengine/Component.h"
#include "gameobjectengine/Handle.h"

class SpriteRenderer;

namespace UI {

class Button;
class Canvas;

class PauseMenu : public Component {
public:
    explicit PauseMenu(int32_t objectID) : Component(objectID) {}
    explicit PauseMenu(const JsonValue& json) : Component(json) {}
    PauseMenu(const PauseMenu&) = default;

    // Builds the screen (hidden) and the options menu.
    void Awake() override;
    // Finds the own canvas (its first selection: resume) and binds the buttons.
    void Start() override;
    // Escape: opens when nothing holds the game (no pause, cutscene or game over), else
    // while paused backs out of a confirmation or resumes.
    void Update() override;
    void OnDestroy() override;
    Component* Clone() const override { return new PauseMenu(*this); }

    void Resume();
    void ShowRestartConfirmation();
    void HideRestartConfirmation();
    void ShowQuitConfirmation();
    void HideQuitConfirmation();
    // Reloads the current scene behind the "LoadingOutScreen" fade (at once when the
    // scene has no such fade), freezing play meanwhile.
    void Restart();
    // Back to the main menu (scene 0) at once.
    void QuitToMenu();
    void OpenOptions();
    bool IsBuilt() const { return built_; }

    Handle<Button> resumeButton;
    Handle<Button> restartButton;
    Handle<SpriteRenderer> restartConfirmationBG;
    Handle<Button> restartYesButton;
    Handle<Button> restartNoButton;
    Handle<Button> quitButton;
    Handle<SpriteRenderer> quitConfirmationBG;
    Handle<Button> quitYesButton;
    Handle<Button> quitNoButton;
    Handle<Button> optionsButton;
    Handle<Canvas> canvas;
    Handle<SpriteRenderer> background;

private:
    void Open();
    void Build();
    void Link();
    void ShowMainButtons(bool shown);
    // The level's skill-unlock banner is drawn above every menu layer; it stays hidden
    // while the pause screen is open and comes back on resume.
    void CoverBanner();
    void UncoverBanner();

    bool built_ = false;
    Handle<SpriteRenderer> coveredBanner_;
};

// The music group's volume the player chose (the save record's, else 1.0).
float StoredMusicVolume();

}  // namespace UI
