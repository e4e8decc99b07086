#pragma once
// The title screen's menu: new game (after a yes/no confirmation), continue from the
// saved level, options, credits and exit. Sits on the object of the scene's Canvas,
// together with a disabled TimeToLive that removes the menu after it has started a game.
//
// Scene contract (by name): "LoadingScreen" with a Fader and a SceneTransition,
// "LoadingAnim" with a Fader, "BGM" with the menu music's AudioSource.
#include "gameobjectengine/Component.h"
#include "gameobjectengine/Handle.h"

class SpriteRenderer;

namespace UI {

class Button;
class Canvas;

class MainMenu : public Component {
public:
    explicit MainMenu(int32_t gameObjectID) : Component(gameObjectID) {}
    // "newGameButton", "newGameConfirmationBG", "newGameYesButton", "newGameNoButton",
    // "continueButton", "optionsButton", "creditsButton", "exitButton" (object ids).
    explicit MainMenu(const JsonValue& json);

    // Binds the buttons to the handlers below.
    void Start() override;
    // Escape hides the new-game confirmation while it shows.
    void Update() override;
    // Stops the menu music with the menu (unless the music is on the menu's own object).
    void OnDestroy() override;
    // With progress saved, continue is the first selection; without, it is hidden and
    // cannot be reached.
    void OnSceneLoaded() override;

    void ShowNewGameConfirmation();
    void HideNewGameConfirmation();
    // Fade out to the first level (and record it as the continue point).
    void NewGame();
    // Fade out to the saved level (the first level when the saved index is unusable).
    void Continue();
    void OpenOptions();
    void OpenCredits();
    // Marks the graphics shut down and asks the engine to quit.
    void Exit();

    Handle<Button> newGameButton;
    Handle<SpriteRenderer> newGameConfirmationBG;
    Handle<Button> newGameYesButton;
    Handle<Button> newGameNoButton;
    Handle<Button> continueButton;
    Handle<Button> optionsButton;
    Handle<Button> creditsButton;
    Handle<Button> exitButton;

private:
    Canvas* OwnCanvas() const;
    void LeaveTo(bool newGame);
};

}  // namespace UI
