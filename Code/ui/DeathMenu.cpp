// The death menu: restart or quit, over the game-over picture.
#include "audio/AudioManager.h"
#include "gameobjectengine/GameObject.h"
#include "scenemanager/SceneManager.h"
#include "ui/GameManager.h"

void GameManager::ShowDeathMenu() {
    static const std::string silence = "Assets/Audio/BGM/Silence.ogg";
    AudioManager::Instance().PlaySound(silence, 0, true, -1, 1.0f);
    SceneManager& scene = SceneManager::GetInstance();
    GameObject* screen = scene.GetGameObjectByName("GameOverScreen");
    // The picture may have found no room when the hero fell; the menu needs an object of its own.
    if (!screen) screen = scene.CreateGameObject("GameOverScreen");
    (void)screen;
}
