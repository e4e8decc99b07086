#include "graphics/UIText.h"

#include "gameobjectengine/Transform.h"
#include "graphics/Font.h"
#include "graphics/GraphicsEngine.h"

UIText::UIText(int32_t objectID) : Render(objectID, 0) {}

UIText::UIText(const JsonValue& json) : Render(json) {
    stringValue = json::ReadString(json, "stringValue", "");
    if (!json::FindObject(json, "color")) {
        color[0] = color[1] = color[2] = 0.0f;
    }
}

UIText::~UIText() {
    if (GraphicsEngine::Alive()) GraphicsEngine::GetInstance().RemoveRender(this);
}

void UIText::Awake() {
    type = kText;
    Render::Awake();
    GraphicsEngine::GetInstance().AddRender(this);
}

void UIText::OnDestroy() {
    if (GraphicsEngine::Alive()) GraphicsEngine::GetInstance().RemoveRender(this);
}

Component* UIText::Clone() const { return new UIText(*this); }

void UIText::MeasureText(float& width, float& height) const {
    const float sx = transform ? transform->scaleX : 1.0f;
    const float sy = transform ? transform->scaleY : 1.0f;
    ::MeasureText(GraphicsEngine::GetInstance().glyphs, stringValue, sx, sy, width, height);
}
