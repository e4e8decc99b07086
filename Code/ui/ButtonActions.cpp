#include "ui/ButtonActions.h"

#include "graphics/Fader.h"
#include "scenemanager/SceneManager.h"
#include "ui/Button.h"
#include "ui/Canvas.h"
#include "ui/OptionsMenu.h"
#include "ui/ScreenPictures.h"

namespace UI {

GameObject* SceneObjectNamed(const char* name) { return SceneManager::GetInstance().GetGameObjectByName(name); }

void StartLoadingAnimation(const char* name) {
    if (Fader* anim = ComponentOfObject<Fader>(name)) {
        anim->fadeTime = 0.95f;
        anim->StartFade();
    }
}

void SetConfirmation(Canvas* canvas, bool shown, Button* yes, Button* no, SpriteRenderer* background,
                     Button* back) {
    if (shown) {
        if (yes) yes->SetEnabled(true);
        if (no) no->SetEnabled(true);
        Show(background, true);
        if (canvas) canvas->Select(no);
        return;
    }
    if (canvas) canvas->Select(back);
    if (yes) yes->SetEnabled(false);
    if (no) no->SetEnabled(false);
    Show(background, false);
}

void OpenOptionsOver(Button* returnTo) {
    SceneManager& scene = SceneManager::GetInstance();
    OptionsMenu* options = scene.FindComponentOfType<OptionsMenu>();
    if (!options || !options->IsBuilt()) return;
    if (Canvas* first = scene.FindComponentOfType<Canvas>()) first->ShowCursor(false);
    options->returnButton = returnTo;
    options->SetOpen(true);
}

}  // namespace UI
