#include "graphics/ProgressBar.h"

#include "gameobjectengine/GameObject.h"
#include "graphics/GraphicsEngine.h"

ProgressBarBase::~ProgressBarBase() { DeleteChildren(); }

void ProgressBarBase::Awake() {
    Render::Awake();
    border = new SpriteRenderer(gameObjectID);
    fill = new SpriteRenderer(gameObjectID);
    background = new SpriteRenderer(gameObjectID);
    barTransform = new Transform(gameObjectID);
    fillTransform = new Transform(gameObjectID);
    // Equal layers draw the newest first: background, then fill, then border on top.
    for (SpriteRenderer* sprite : {border, fill, background}) {
        sprite->layer = 11;
        sprite->Awake();
    }
}

void ProgressBarBase::Start() {
    Render::Start();
    if (!border) return;
    for (SpriteRenderer* sprite : {border, fill, background}) sprite->Start();
    border->transform = barTransform;
    background->transform = barTransform;
    fill->transform = fillTransform;
    if (!transform) return;
    barTransform->scaleX = width != 0.0f ? width : transform->scaleX;
    barTransform->scaleY = height != 0.0f ? height : transform->scaleY;
    fillTransform->scaleY = barTransform->scaleY;
    for (Transform* t : {barTransform, fillTransform}) {
        t->x = transform->x;
        t->y = transform->y;
        t->z = transform->z;
    }
    border->offset[0] = fillTransform->scaleX;
}

void ProgressBarBase::Layout(float ratio) {
    if (!transform || !border) return;
    for (Transform* t : {barTransform, fillTransform}) {
        t->x = transform->x + barOffset[0];
        t->y = transform->y + barOffset[1];
        t->z = transform->z;
    }
    // A quad spans twice its scale: an offset of w puts the bar's left end at the anchor.
    const float w = width != 0.0f ? width : transform->scaleX;
    border->offset[0] = w;
    background->offset[0] = w;
    fillTransform->scaleX = w * ratio;
    const float f = fillTransform->scaleX;
    if (fillMode == kFromLeft)
        fill->offset[0] = f;
    else if (fillMode == kFromRight)
        fill->offset[0] = 2.0f * w - f;  // ends at the bar's right end, inside the bar
    else
        fill->offset[0] = w;  // centred on the bar
}

void ProgressBarBase::OnDestroy() {
    for (SpriteRenderer* sprite : {background, border, fill})
        if (sprite) sprite->OnDestroy();
    DeleteChildren();
}

void ProgressBarBase::DeleteChildren() {
    delete background;
    delete border;
    delete fill;
    delete barTransform;
    delete fillTransform;
    background = border = fill = nullptr;
    barTransform = fillTransform = nullptr;
}

template class ProgressBar<int32_t>;
template class ProgressBar<float>;
