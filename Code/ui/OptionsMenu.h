#pragma once
// The options screen shared by the main menu and the pause menu: a fullscreen yes/no
// choice, music and sound on/off toggles and a done button, built in code at Awake and
// hidden until opened. Choices take effect at once and go into the save record (when
// the scene has a SaveManager), which stores them at its next save.
//
// It works through the scene's first Canvas: opening moves that canvas's selection onto
// the screen, closing moves it back to the return button that the opener set.
#include "gameobjectengine/Component.h"
#include "gameobjectengine/Handle.h"

class SpriteRenderer;

namespace UI {

class Base;
class Button;
class ToggleButton;

class OptionsMenu : public Component {
public:
    explicit OptionsMenu(int32_t objectID) : Component(objectID) {}
    explicit OptionsMenu(const JsonValue& json) : Component(json) {}
    OptionsMenu(const OptionsMenu&) = default;

    // Builds the screen's objects, hidden, and links its elements.
    void Awake() override;
    // Binds the elements' clicks to this menu.
    void Start() override;
    // Escape closes the screen while it is open.
    void Update() override;
    // Takes the stored mutes into the toggles' states (their looks follow on opening).
    void OnSceneLoaded() override;
    void OnDestroy() override;
    Component* Clone() const override { return new OptionsMenu(*this); }

    // Opens (shows the screen, selects the button of the current window mode) or closes
    // (reselects the return button, hides everything, shows the canvas cursor). A screen
    // that could not be built whole never opens.
    void SetOpen(bool open);
    void Close() { SetOpen(false); }
    bool IsOpen() const { return open_; }
    bool IsBuilt() const { return built_; }

    // Switch the window mode; the screen marks the new one at once.
    void SetFullscreenOn();
    void SetFullscreenOff();
    // Both run before the toggle flips: state 1 (muted) unmutes, state 0 mutes.
    void ToggleMusic();
    void ToggleSound();

    Handle<Base> returnButton;
    Handle<SpriteRenderer> background;
    Handle<Button> doneButton;
    Handle<Button> fullscreenYes;
    Handle<Button> fullscreenNo;
    Handle<ToggleButton> musicToggle;
    Handle<ToggleButton> soundToggle;

private:
    Button* CurrentModeButton() const;
    // Draws the button of the window mode in use in full and the other one dimmed.
    void MarkWindowMode();
    void Build();
    void Link();
    void ShowButtons(bool shown);

    bool built_ = false;
    bool open_ = false;
};

}  // namespace UI
