#include "graphics/ScaleableSprite.h"

ScaleableSprite::~ScaleableSprite() { DeleteChildren(); }

void ScaleableSprite::Awake() {
    Render::Awake();
    for (int i = 0; i < kPieces; ++i) {
        if (!pieces[i]) pieces[i] = new SpriteRenderer(gameObjectID);
        if (!pieceTransforms[i]) pieceTransforms[i] = new Transform(gameObjectID);
    }
}

void ScaleableSprite::Update() {
    if (!transform) return;
    for (SpriteRenderer* piece : pieces) {
        if (!piece) continue;
        piece->offset[0] = transform->x;
        piece->offset[1] = transform->y;
    }
}

void ScaleableSprite::OnDestroy() {
    for (int i = 0; i < kPieces; ++i) {
        if (pieces[i]) pieces[i]->OnDestroy();
        if (pieceTransforms[i]) pieceTransforms[i]->OnDestroy();
    }
    DeleteChildren();
}

void ScaleableSprite::SetEnabled(bool on) {
    enabled = on;
    for (int i = 0; i < kPieces; ++i) {
        if (pieces[i]) pieces[i]->enabled = on;
        if (pieceTransforms[i]) pieceTransforms[i]->enabled = on;
    }
}

void ScaleableSprite::ToggleEnabled() { SetEnabled(!enabled); }

void ScaleableSprite::Resize(int32_t widthPixels, int32_t heightPixels) {
    const float w = static_cast<float>(widthPixels);
    const float h = static_cast<float>(heightPixels);
    const float c = h < w ? h * 0.5f : w / 10.0f;  // corner size
    const float q = c / 2.0f, hx = (w - c) / 2.0f, hy = (h - c) / 2.0f;
    const float px = w / 2.0f, py = h / 2.0f;
    const float inset = 0.05f;
    const float scales[kPieces][2] = {{q, q}, {hx, q}, {q, q}, {q, hy}, {hx, hy}, {q, hy}, {q, q}, {hx, q}, {q, q}};
    const float left = inset - px, right = px - inset, top = inset - py, bottom = py - inset;
    const float positions[kPieces][2] = {{left, top},    {0, top},    {right, top},    {left, 0},    {0, 0},
                                         {right, 0},     {left, bottom}, {0, bottom}, {right, bottom}};
    for (int i = 0; i < kPieces; ++i) {
        Transform* t = pieceTransforms[i];
        if (!t) continue;
        t->scaleX = scales[i][0];
        t->scaleY = scales[i][1];
        t->x = positions[i][0];
        t->y = positions[i][1];
        t->z = 0.0f;
    }
}

void ScaleableSprite::DeleteChildren() {
    for (int i = 0; i < kPieces; ++i) {
        delete pieces[i];
        delete pieceTransforms[i];
        pieces[i] = nullptr;
        pieceTransforms[i] = nullptr;
    }
}
