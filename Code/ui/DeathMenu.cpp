#include "ui/DeathMenu.h"

#include "audio/AudioManager.h"
#include "ui/ButtonBinding.h"
#include "ui/Canvas.h"
#include "ui/PauseMenu.h"

namespace UI {
namespace {
#define DEATH_ART "Assets/Art/UI/Pause or Death Menu/"
const ScreenPicture kRestart{"Restart", DEATH_ART "Restart.png", 10.5f, 80, 300, 75, 16};
const ScreenPicture kRestartSelected{"RestartSelected", DEATH_ART "RestartSelected.png", 10.5f, 80, 300, 75, 17};
const ScreenPicture kQuit{"Quit", DEATH_ART "Quit.png", 14.5f, 90, 300, 75, 16};
const ScreenPicture kQuitSelected{"QuitSelected", DEATH_ART "QuitSelected.png", 14.5f, 90, 300, 75, 17};
#undef DEATH_ART
}  // namespace

PauseMenu* BuildDeathMenu(GameObject* gameOverScreen) {
    AudioManager::GetInstance().PlaySound("Assets/Audio/BGM/Silence.ogg", 0, true, -1, 1.0f);
    if (!gameOverScreen) return nullptr;
    Canvas* canvas = gameOverScreen->AddComponent<Canvas>();
    Handle<Button> restart;
    Handle<Button> quit;
    MakeButton(restart, kRestart, kRestartSelected, true);
    MakeButton(quit, kQuit, kQuitSelected, true);
    auto* menu = gameOverScreen->AddComponent<PauseMenu>(true);
    if (!menu) return nullptr;
    menu->restartYesButton = restart;
    menu->quitYesButton = quit;
    if (Button* r = restart.Get()) r->down = quit.Get();
    if (Button* q = quit.Get()) q->up = restart.Get();
    menu->Start();
    if (canvas) canvas->initialUI = restart.Get();
    return menu;
}

}  // namespace UI
