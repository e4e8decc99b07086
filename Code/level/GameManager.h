#pragma once
// The level's own manager: builds the two heroes' heads-up display (the Hud it carries),
// starts the level's conversation one second in, records the level as the continue point,
// and turns a hero's fall into the game-over picture and, two seconds later, the death menu.
#include <cstdint>

#include "gameobjectengine/Component.h"
#include "level/Hud.h"

class GameManager : public Component, public Hud {
public:
    explicit GameManager(int32_t objectID) : Component(objectID) {}
    // "saveScene" (absent: true).
    explicit GameManager(const JsonValue& json);

    // Finds the heroes and builds the HUD.
    void Start() override;
    // Level intro, HUD, skill bars and game over (runs while paused too).
    void Update() override;
    // Clears the game flags; records the level as the continue point.
    void OnSceneLoaded() override;

    // The restart-or-quit menu over the game-over picture.
    void ShowDeathMenu();

    bool firstFrame = true;
    bool saveScene = true;

private:
    void CheckGameOver();
    void StartGameOver(bool thiefFell);
};
