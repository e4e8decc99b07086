// The draw passes: from the render list to draw records. No GL here.
#include "graphics/RenderPasses.h"

#include <cmath>

#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/Time.h"
#include "gameobjectengine/Transform.h"
#include "graphics/DamageText.h"
#include "graphics/GraphicsEngine.h"
#include "graphics/Particle.h"
#include "graphics/SpriteFacing.h"
#include "graphics/SpriteRenderer.h"
#include "graphics/UIText.h"

namespace {

constexpr float kDegrees = 3.14159265358979323846f / 180.0f;

bool FacesLeft(const GameObject* owner) {
    if (!owner) return false;
    const SpriteFacing* facing = owner->GetComponent<const SpriteFacing>();
    return facing && facing->FacesLeft();
}

// Listed, enabled, and its object (if any) active.
bool Visible(const Render& entry) { return entry.enabled && (!entry.owner || entry.owner->active); }

}  // namespace

void DigitCell(char c, int& column, int& row) {
    if (c >= '0' && c <= '9') {
        const int digit = c - '0';
        column = digit % 4;
        row = 3 - digit / 4;
    } else {
        column = 0;
        row = 0;
    }
}

void GraphicsEngine::DrawListTo(DrawTarget& target) {
    // The count is taken once: an entry added while drawing shows from the next frame.
    const std::size_t count = renderList.size();
    for (std::size_t i = 0; i < count && i < renderList.size(); ++i) {
        ::Render* entry = renderList[i];
        if (!entry || !Visible(*entry)) continue;
        if (entry->type == ::Render::kSprite) {
            auto* sprite = dynamic_cast<SpriteRenderer*>(entry);
            if (sprite && sprite->transform) DrawSprite(*sprite, target);
        } else if (entry->type == ::Render::kText) {
            auto* text = dynamic_cast<UIText*>(entry);
            if (!text || !text->transform) continue;
            if (text->textKind == 1)
                DrawDamageText(*text, target);
            else
                DrawText(*text, target);
        } else {
            DrawParticles(target);
        }
    }
}

namespace {

// Which part of the picture the quad shows: one cell of an n x n sheet (mirrored for a
// left-facing body), the picture repeated across a parallax strip, or the whole picture
// (mirrored by the sign of the scale).
void SpriteTexCoords(const SpriteRenderer& s, const Transform& t, SpriteDraw& draw) {
    if (s.textureAtlas) {
        const float n = static_cast<float>(s.numSprites == 0 ? 1 : s.numSprites);
        draw.uvCoords[0] = s.currX;
        draw.uvCoords[1] = s.currY;
        draw.scale[0] = 1.0f / n;
        draw.scale[1] = 1.0f / n;
        if (FacesLeft(s.owner)) {
            draw.scale[0] = -1.0f / n;
            draw.uvCoords[0] = -(s.currX + 1.0f);
        }
    } else if (s.parallaxActive) {
        draw.scale[0] = static_cast<float>(s.numSprites);
        draw.scale[1] = 1.0f;
        draw.uvCoords[0] = draw.uvCoords[1] = 0.0f;
    } else {
        draw.uvCoords[0] = draw.uvCoords[1] = 1.0f;
        draw.scale[0] = t.scaleX > 0.0f ? 1.0f : -1.0f;
        draw.scale[1] = t.scaleY > 0.0f ? 1.0f : -1.0f;
    }
}

// Moves a tiled strip by one tile once the camera has passed its edge; the change shows
// from the next frame.
void RecentreParallax(SpriteRenderer& s, Transform& t, float cameraX) {
    if (!s.parallaxActive || s.numSprites == 0) return;
    const float step = 2.0f * t.scaleX / static_cast<float>(s.numSprites);
    const float edge = static_cast<float>(s.parallaxCount) * step + t.x;
    const float probe = std::fabs(std::fabs(s.speed * cameraX) + t.x + s.offset[0]);
    if (probe > edge) {
        t.x += step + 1e-9f;
        s.parallaxCount += 1;
    } else if (probe < edge) {
        t.x -= step;
        s.parallaxCount -= 1;
    }
}

}  // namespace

void GraphicsEngine::DrawSprite(SpriteRenderer& s, DrawTarget& target) {
    if (s.texture == 0) return;  // nothing loaded: GL would draw an opaque box
    textures.Show(s.texture);
    Transform& t = *s.transform;
    SpriteDraw draw;
    draw.texture = s.texture;
    SpriteTexCoords(s, t, draw);

    const float screenW = static_cast<float>(width), screenH = static_cast<float>(height);
    Matrix4 model;
    if (s.relativePos)
        model = model.Translate(t.x / 100.0f * screenW, t.y / 100.0f * screenH, 0.0f);
    else
        model = model.Translate(t.x, t.y, t.z);
    model = model.Translate(s.offset[0], s.offset[1], 0.0f);
    model = model.Translate(s.speed * cameraOffset[0], s.speed != 0.0f ? cameraOffset[1] : 0.0f, 0.0f);
    RecentreParallax(s, t, cameraOffset[0]);
    model = model.Rotate(t.rotation * kDegrees, 0.0f, 0.0f, 1.0f);
    const float sx = s.relativeScale ? t.scaleX / 100.0f * screenW : t.scaleX;
    const float sy = s.relativeScale ? t.scaleY / 100.0f * screenH : t.scaleY;
    model.ScaleColumn(0, std::fabs(sx));
    model.ScaleColumn(1, std::fabs(sy));
    draw.model = model;
    draw.alpha = static_cast<float>(s.alpha) / 100.0f;
    if (s.tintStrength != 0.0f) {
        draw.tint[0] = s.color[0];
        draw.tint[1] = s.color[1];
        draw.tint[2] = s.color[2];
        draw.tint[3] = s.tintStrength;
    }
    target.DrawSpriteQuad(draw);
}

void GraphicsEngine::DrawText(UIText& e, DrawTarget& target) {
    const Transform& t = *e.transform;
    float penX = t.x, penY = t.y;
    if (e.relativePos) {
        penX = t.x / 100.0f * static_cast<float>(width);
        penY = t.y / 100.0f * static_cast<float>(height);
    }
    penX += e.speed * cameraOffset[0] + e.offset[0];
    penY += e.speed * cameraOffset[1] + e.offset[1];
    if (e.owner && e.owner->name == "fps") e.stringValue = "FPS " + std::to_string(Time::GetInstance().fps);
    GlyphDraw draw;
    draw.color[0] = e.color[0];
    draw.color[1] = e.color[1];
    draw.color[2] = e.color[2];
    LayoutText(glyphs, e.stringValue, penX, penY, t.scaleX, t.scaleY, [&](const GEFont& g, const float* v) {
        draw.texture = g.texture;
        for (int k = 0; k < 24; ++k) draw.vertices[k] = v[k];
        target.DrawGlyphQuad(draw);
    });
}

void GraphicsEngine::DrawDamageText(UIText& e, DrawTarget& target) {
    const Transform& t = *e.transform;
    const auto* damage = dynamic_cast<const DamageText*>(&e);
    const int32_t style = damage ? damage->style : 0;
    const int sheet = style == DamageText::kCritical ? 0
                      : style == DamageText::kShield ? 2
                      : style == DamageText::kHeal   ? 3
                                                     : 1;
    const SpriteRenderer* font = damageFonts[sheet];
    if (!font || font->texture == 0) return;
    const float half = style == DamageText::kCritical ? 50.0f : 40.0f;
    SpriteDraw draw;
    draw.texture = font->texture;
    draw.scale[0] = draw.scale[1] = 0.25f;
    draw.alpha = static_cast<float>(e.alpha) / 100.0f;
    for (std::size_t i = 0; i < e.stringValue.size(); ++i) {
        int column = 0, row = 0;
        DigitCell(e.stringValue[i], column, row);
        draw.uvCoords[0] = static_cast<float>(column);
        draw.uvCoords[1] = static_cast<float>(row);
        const float advance = 48.0f * static_cast<float>(i);
        Matrix4 model = Matrix4().Translate(t.x, t.y, t.z);
        model = model.Translate(e.offset[0] + advance + e.speed * cameraOffset[0],
                                e.offset[1] + e.speed * cameraOffset[1], 0.0f);
        model.ScaleColumn(0, half).ScaleColumn(1, half).ScaleColumn(2, 0.0f);
        draw.model = model;
        target.DrawSpriteQuad(draw);
    }
}

void GraphicsEngine::DrawParticles(DrawTarget& target) {
    // Front first; the queue is emptied at the end (a deque would free and allocate
    // its blocks every frame).
    for (const QueuedParticle& queued : particleQueue) {
        if (!queued.Drawable()) continue;
        const Particle* p = queued.particle;
        if (p->texture == 0) continue;
        ParticleDraw draw;
        draw.texture = p->texture;
        Matrix4 model = Matrix4().Translate(p->positionX + cameraOffset[0], p->positionY + cameraOffset[1], 0.0f);
        model = model.Rotate(p->rotation * kDegrees, 0.0f, 0.0f, 1.0f);
        model.ScaleColumn(0, p->width).ScaleColumn(1, p->height);
        draw.model = model;
        draw.alpha = p->alpha;
        target.DrawParticleQuad(draw);
    }
    particleQueue.clear();
}
