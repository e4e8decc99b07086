#pragma once
// The game-over menu that the level's game manager shows on "GameOverScreen" once the
// game-over picture is opaque: "Restart" reloads the level and "Quit" goes back to the
// main menu, both at once (no confirmation); Escape does nothing there.
class GameObject;

namespace UI {

class PauseMenu;

// Plays the silence track on the music group, adds a canvas to gameOverScreen, builds
// the two buttons and a PauseMenu without a screen that runs them; the canvas selects
// "Restart" when it starts. Null (nothing built) for a null object.
PauseMenu* BuildDeathMenu(GameObject* gameOverScreen);

}  // namespace UI
