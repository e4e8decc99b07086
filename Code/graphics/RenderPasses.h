#pragma once
// What the draw passes hand to the GPU, one record per draw call. The passes compute
// these from the render list without touching GL; a DrawTarget issues them (the GL
// renderer in the game, a recorder in tests). Every record carries every uniform its
// program takes, so no draw inherits a value from the one before it.
#include <cstdint>

#include "graphics/Matrix4.h"

struct SpriteDraw {
    uint32_t texture = 0;
    Matrix4 model;
    float uvCoords[2] = {0.0f, 0.0f};
    float scale[2] = {1.0f, 1.0f};
    float alpha = 1.0f;                      // 0..1
    float tint[4] = {0.0f, 0.0f, 0.0f, 0.0f};  // rgb and strength
};

struct GlyphDraw {
    uint32_t texture = 0;
    float vertices[24] = {};  // six (x, y, u, v) in window pixels, v = 0 at the glyph's top
    float color[3] = {1.0f, 1.0f, 1.0f};
};

struct ParticleDraw {
    uint32_t texture = 0;
    Matrix4 model;  // maps the unit quad 0..1 to the particle
    float alpha = 1.0f;
};

class DrawTarget {
public:
    virtual ~DrawTarget() = default;
    virtual void DrawSpriteQuad(const SpriteDraw& draw) = 0;
    virtual void DrawGlyphQuad(const GlyphDraw& draw) = 0;
    virtual void DrawParticleQuad(const ParticleDraw& draw) = 0;
};

// The cell of the 4 x 4 digit sheet that shows a character: '0'-'3' on the bottom row,
// '4'-'7' above, '8' and '9' at the left of the second row, (0, 0) for anything else.
void DigitCell(char c, int& column, int& row);
