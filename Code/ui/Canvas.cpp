#include "ui/Canvas.h"

#include "audio/AudioManager.h"
#include "gameobjectengine/InputManager.h"
#include "gameobjectengine/Transform.h"
#include "graphics/SpriteRenderer.h"
#include "ui/Base.h"
#include "ui/ScreenPictures.h"

namespace UI {
namespace {
constexpr const char* kMoveSound = "Assets/Audio/SFX/UI_Move.ogg";
constexpr const char* kClickSound = "Assets/Audio/SFX/UI_Click.ogg";
}  // namespace

Canvas::Canvas(const JsonValue& json) : Component(json), selectMode(json::ReadInt(json, "selectMode", 0)) {
    if (const JsonValue* offset = json::FindObject(json, "cursorOffset")) {
        cursorOffset.x = json::ReadFloat(*offset, "x", 0.0f);
        cursorOffset.y = json::ReadFloat(*offset, "y", 0.0f);
        cursorOffset.z = json::ReadFloat(*offset, "z", 0.0f);
    }
    FetchLink(this, json, "initialUI", initialUI);
    FetchLink(this, json, "cursor", cursor);
}

void Canvas::Start() {
    if (!enabled) return;
    selected = initialUI;
    // The element is already `selected`, so it is deselected and selected again.
    if (Base* first = initialUI.Get()) Select(first);
}

void Canvas::Select(Base* target) {
    if (selectMode != 0 || !target) return;
    const Transform* at = OwnTransform(*target);
    if (!at) return;
    if (Base* old = selected.Get()) old->OnDeselect();
    selected = target;
    target->OnSelect();
    AudioManager::GetInstance().PlaySound(kMoveSound, 1, false, -1, 0.4f);
    SpriteRenderer* pointer = cursor.Get();
    if (Transform* place = pointer ? OwnTransform(*pointer) : nullptr) {
        place->x = at->x + cursorOffset.x;
        place->y = at->y + cursorOffset.y;
        place->z = at->z;
    }
}

void Canvas::ShowCursor(bool shown) { Show(cursor.Get(), shown); }

void Canvas::Move(Handle<Base> Base::*link) {
    if (Base* current = selected.Get()) Select((current->*link).Get());
}

void Canvas::Update() {
    const InputManager& input = InputManager::GetInstance();
    // Each test acts on the selection as the previous one left it.
    if (input.GetKeyDown(InputAction::Up)) Move(&Base::up);
    if (input.GetKeyDown(InputAction::Down)) Move(&Base::down);
    if (input.GetKeyDown(InputAction::Right)) Move(&Base::right);
    if (input.GetKeyDown(InputAction::Left)) Move(&Base::left);
    if (!input.GetKeyDown(InputAction::Jump) && !input.GetKeyDown(InputAction::Enter)) return;
    if (Base* current = selected.Get()) {
        current->OnClick();
        AudioManager::GetInstance().PlaySound(kClickSound, 1, false, -1, 0.5f);
    }
}

}  // namespace UI
